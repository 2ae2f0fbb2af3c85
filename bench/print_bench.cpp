// Prints a whole note to a PDF file the way the print command does on a machine without
// printers: the export of the note through the standard templates, laid out with the default
// print font, margins and tab width, on a high-resolution PDF printer (A4). Prints the time of
// the export and of the job, the pages, the file's size, the resident memory at ten points of
// the job and the peak of the process.
//
//   print_bench [--items N] [NOTE]
//
// Without NOTE the sample note of N memos (default 10,000, groups of 10, seed 1) is made with
// make_sample_note in a temporary folder. The job streams its pages, so the resident memory
// should stay flat from the first checkpoint to the last. Use a Release build.
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/error_code.h"
#include "core/common/system_time.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/settings/settings.h"
#include "core/textio/text_exporter.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt_font_service.h"
#include "platform/qt_page_printer.h"
#include "platform/qt_settings_text_source.h"

using namespace tidemark;

namespace {

using BenchClock = std::chrono::steady_clock;

double SecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The resident memory now, from /proc/self/statm.
double CurrentRssMegabytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return -1;
    unsigned long size = 0;
    unsigned long resident = 0;
    const int read = std::fscanf(statm, "%lu %lu", &size, &resident);
    std::fclose(statm);
    if (read != 2)
        return -1;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

struct Checkpoint {
    int page;
    double seconds;
    double rss;
};

}  // namespace

int main(int argc, char** argv) {
    int items = 10000;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--items") == 0 && i + 1 < argc) {
            items = std::atoi(argv[++i]);
        } else if (argv[i][0] != '-' && path.empty()) {
            path = argv[i];
        } else {
            std::fputs("usage: print_bench [--items N] [NOTE]\n", stderr);
            return 2;
        }
    }

    std::string folder;
    if (path.empty()) {
        char pattern[] = "/tmp/tidemark_print_bench.XXXXXX";
        if (!mkdtemp(pattern)) {
            std::perror("print_bench: mkdtemp");
            return 1;
        }
        folder = pattern;
        path = folder + "/sample.tmk";
        const std::string command = std::string(MAKE_SAMPLE_NOTE) + " --items " +
                                    std::to_string(items) + " --fanout 10 --seed 1 " + path;
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "print_bench: make_sample_note failed\n");
            return 1;
        }
    }

    Note note;
    try {
        PosixFileSystem files;
        note.Load(files, path, /*detached=*/true);
    } catch (const IoError& e) {
        std::fprintf(stderr, "print_bench: %s does not load (code %u)\n", path.c_str(), e.Code());
        return 1;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const double rssBefore = CurrentRssMegabytes();

    auto start = BenchClock::now();
    const Item* root = note.FindItem(note.RootId());
    const std::string text =
        ExportItemsToText(note, root ? root->links.firstChild : kNoItem, ExportFormats::Defaults());
    const double exportSeconds = SecondsSince(start);

    QtFontService fonts;
    Settings settings;
    settings.ApplyEmptyDefaults(fonts, QtSettingsTextSource());
    PrintRequest request;
    request.text = text;
    request.headings = {"sample", SystemClock::Instance().Now()};
    request.font = settings.PrintFont;
    request.screenDpi = fonts.ScreenDpi();
    request.margins = settings.PageMargins;
    request.tabWidth = settings.EffectiveTabWidth();

    const std::string out = (folder.empty() ? std::string("/tmp") : folder) + "/print_bench.pdf";
    std::vector<Checkpoint> checkpoints;
    PrintOutcome outcome = PrintOutcome::kFailed;
    int pages = 0;
    start = BenchClock::now();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(out));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        QPainter painter;
        if (!painter.begin(&printer)) {
            std::fprintf(stderr, "print_bench: cannot write %s\n", out.c_str());
            return 1;
        }
        int next = 1;
        outcome = printPages(painter, printer, request, [&](int page, int count) {
            pages = count;
            if (page >= next || page == count) {
                checkpoints.push_back({page, SecondsSince(start), CurrentRssMegabytes()});
                next = page + std::max(1, count / 10);
            }
            return true;
        });
        painter.end();
    }
    const double jobSeconds = SecondsSince(start);
    const auto pdfBytes = std::filesystem::file_size(out);
    std::filesystem::remove(out);
    if (!folder.empty()) {
        std::filesystem::remove(path);
        rmdir(folder.c_str());
    }
    if (outcome != PrintOutcome::kPrinted) {
        std::fprintf(stderr, "print_bench: the job did not complete\n");
        return 1;
    }

    std::printf("%u items, export text %.1f MB, %d pages, PDF %.1f MB\n", note.ItemCount(),
                static_cast<double>(text.size()) / 1e6, pages, static_cast<double>(pdfBytes) / 1e6);
    std::printf("export            %8.3f s\n", exportSeconds);
    std::printf(
        "print job         %8.3f s  (count, lay out and paint every page, write the PDF; "
        "goal under 10 s)\n",
        jobSeconds);
    std::printf("resident memory before the export %.1f MB; during the job:\n", rssBefore);
    for (const Checkpoint& c : checkpoints)
        std::printf("  page %6d at %7.3f s: %7.1f MB\n", c.page, c.seconds, c.rss);
    if (checkpoints.size() >= 2) {
        const Checkpoint& first = checkpoints.front();
        const Checkpoint& last = checkpoints.back();
        std::printf("growth from page %d to page %d: %.1f MB (%.2f KB a page)\n", first.page,
                    last.page, last.rss - first.rss,
                    (last.rss - first.rss) * 1024.0 / std::max(1, last.page - first.page));
    }
    std::printf("peak resident memory %.1f MB\n", PeakRssMegabytes());
    return 0;
}
