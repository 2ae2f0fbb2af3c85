#include "app/edit/dropped_data.h"

#include <gtest/gtest.h>

#include <QList>
#include <QMimeData>
#include <QUrl>
#include <functional>
#include <memory>

#include "app/common/item_mime_type.h"

namespace {

using Format = DroppedData::Format;

// text/x-moz-url as browsers offer it: UTF-16, the URL, a line feed, the name.
QByteArray mozUrl(const QString& both) {
    return QByteArray(reinterpret_cast<const char*>(both.utf16()), both.size() * 2);
}

const QString kMozUrlType = QStringLiteral("text/x-moz-url");

TEST(DroppedData, TheFirstFormatOfItemsLinkFilesAndTextIsTaken) {
    const QUrl file = QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"));
    const QUrl web(QStringLiteral("https://example.org/page"));
    const struct {
        const char* name;
        std::function<void(QMimeData&)> fill;
        Format format;
    } cases[] = {
        {"nothing we read", [](QMimeData& d) { d.setHtml(QStringLiteral("<b>x</b>")); },
         Format::kNone},
        {"items over everything else",
         [&](QMimeData& d) {
             d.setData(QString::fromLatin1(kItemsMimeType), "records");
             d.setData(kMozUrlType, mozUrl(QStringLiteral("https://a.example\nA")));
             d.setUrls({file});
             d.setText(QStringLiteral("text"));
         },
         Format::kItems},
        {"a browser link over files and text",
         [&](QMimeData& d) {
             d.setData(kMozUrlType, mozUrl(QStringLiteral("https://a.example\nA")));
             d.setUrls({file});
             d.setText(QStringLiteral("text"));
         },
         Format::kLink},
        {"a browser link without a URL is passed over",
         [&](QMimeData& d) {
             d.setData(kMozUrlType, mozUrl(QStringLiteral(" \nA")));
             d.setText(QStringLiteral("text"));
         },
         Format::kText},
        {"local files over their paths as text",
         [&](QMimeData& d) {
             d.setUrls({file, QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt"))});
             d.setText(QStringLiteral("/tmp/a.txt"));
         },
         Format::kFiles},
        {"files mixed with a web URL are not files",
         [&](QMimeData& d) {
             d.setUrls({file, web});
             d.setText(QStringLiteral("both"));
         },
         Format::kText},
        // One web URL is a link, whatever text comes with it; several are text.
        {"one web URL alone", [&](QMimeData& d) { d.setUrls({web}); }, Format::kLink},
        {"one web URL with the URL as text",
         [&](QMimeData& d) {
             d.setUrls({web});
             d.setText(web.toString());
         },
         Format::kLink},
        {"one web URL with other text",
         [&](QMimeData& d) {
             d.setUrls({web});
             d.setText(QStringLiteral("words"));
         },
         Format::kLink},
        {"two web URLs alone",
         [&](QMimeData& d) {
             d.setUrls({web, web});
         },
         Format::kText},
        {"a URL written in the text is text", [&](QMimeData& d) { d.setText(web.toString()); },
         Format::kText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QMimeData data;
        c.fill(data);
        EXPECT_EQ(int(readDroppedData(data).format), int(c.format));
    }
}

TEST(DroppedData, TheTakenFormatCarriesItsContents) {
    {
        QMimeData data;
        data.setData(QString::fromLatin1(kItemsMimeType), "records");
        EXPECT_EQ(readDroppedData(data).items, QByteArray("records"));
    }
    {
        QMimeData data;
        data.setData(kMozUrlType, mozUrl(QStringLiteral(" https://a.example/x \n 見出し \n")));
        const DroppedData dropped = readDroppedData(data);
        EXPECT_EQ(dropped.url, QStringLiteral("https://a.example/x"));
        EXPECT_EQ(dropped.title, QStringLiteral("見出し"));
    }
    {
        QMimeData data;
        data.setData(kMozUrlType, mozUrl(QStringLiteral("https://a.example/only")));
        const DroppedData dropped = readDroppedData(data);
        EXPECT_EQ(dropped.url, QStringLiteral("https://a.example/only"));
        EXPECT_TRUE(dropped.title.isEmpty());
    }
    {
        // The encoded form keeps what the note's encoding cannot hold.
        QMimeData data;
        data.setUrls({QUrl(QStringLiteral("https://example.org/Café?q=1"))});
        data.setText(QStringLiteral("https://example.org/Café?q=1"));
        const DroppedData dropped = readDroppedData(data);
        EXPECT_EQ(dropped.url, QStringLiteral("https://example.org/Caf%C3%A9?q=1"));
        EXPECT_TRUE(dropped.title.isEmpty());
    }
    {
        QMimeData data;
        data.setData(kMozUrlType, mozUrl(QStringLiteral("https://a.example/Café\nCafé")));
        const DroppedData dropped = readDroppedData(data);
        EXPECT_EQ(dropped.url, QStringLiteral("https://a.example/Caf%C3%A9"));
        EXPECT_EQ(dropped.title, QStringLiteral("Café"));
    }
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/メモ 1.txt")),
                      QUrl::fromLocalFile(QStringLiteral("/tmp/b"))});
        EXPECT_EQ(readDroppedData(data).files,
                  (QStringList{QStringLiteral("/tmp/メモ 1.txt"), QStringLiteral("/tmp/b")}));
    }
    {
        QMimeData data;
        data.setText(QStringLiteral("line\nnext"));
        EXPECT_EQ(readDroppedData(data).text, QStringLiteral("line\nnext"));
    }
}

}  // namespace
