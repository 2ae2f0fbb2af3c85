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
        // Qt offers a URL list as text as well: web URLs dropped alone are text.
        {"one web URL alone", [&](QMimeData& d) { d.setUrls({web}); }, Format::kText},
        {"two web URLs alone",
         [&](QMimeData& d) {
             d.setUrls({web, web});
         },
         Format::kText},
        {"one web URL with text",
         [&](QMimeData& d) {
             d.setUrls({web});
             d.setText(QStringLiteral("words"));
         },
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
        QMimeData data;
        data.setUrls({QUrl(QStringLiteral("https://example.org/p?q=1"))});
        EXPECT_EQ(readDroppedData(data).text, QStringLiteral("https://example.org/p?q=1"));
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
