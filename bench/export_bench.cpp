// Times the text export of a note file phase by phase: loading the note, the
// export alone (into a stream that only counts), the export into a file, and the export into
// one text in memory as the clipboard and printing use it. Prints one line per figure; the
// peak memory is the process's so far.
//
//   export_bench NOTE [OUT]      (OUT defaults to a file in /tmp, removed afterwards)
//
// The whole command as users run it is timed by export_bench.sh.
#include <sys/resource.h>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/common/error_code.h"
#include "core/file/byte_stream.h"
#include "core/model/note.h"
#include "core/textio/text_exporter.h"
#include "platform/posix/posix_file_system.h"

using namespace tidemark;

namespace {

using BenchClock = std::chrono::steady_clock;

double MillisecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Takes every byte and keeps none: the cost of the export without any output.
class CountingStream : public ByteStream {
public:
    std::uint32_t OpenRead() override { return ErrorCode::kInvalidFunction; }
    std::uint32_t OpenWrite() override { return 0; }
    std::uint32_t Close() override { return 0; }
    std::uint32_t Write(const void*, std::size_t count) override {
        bytes += count;
        ++writes;
        return 0;
    }
    std::uint32_t Read(void*, std::size_t) override { return ErrorCode::kInvalidFunction; }
    std::uint32_t Flush() override { return 0; }

    std::size_t bytes = 0;
    std::size_t writes = 0;
};

class FileStream : public ByteStream {
public:
    explicit FileStream(std::FILE* file) : m_file(file) {}
    std::uint32_t OpenRead() override { return ErrorCode::kInvalidFunction; }
    std::uint32_t OpenWrite() override { return 0; }
    std::uint32_t Close() override { return 0; }
    std::uint32_t Write(const void* bytes, std::size_t count) override {
        return std::fwrite(bytes, 1, count, m_file) == count ? 0 : ErrorCode::kDiskFull;
    }
    std::uint32_t Read(void*, std::size_t) override { return ErrorCode::kInvalidFunction; }
    std::uint32_t Flush() override { return std::fflush(m_file) == 0 ? 0 : ErrorCode::kDiskFull; }

private:
    std::FILE* m_file;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: export_bench NOTE [OUT]\n", stderr);
        return 2;
    }
    const std::string out = argc == 3 ? argv[2] : "/tmp/tidemark_export_bench.txt";
    const ExportFormats formats = ExportFormats::Defaults();

    auto start = BenchClock::now();
    Note note;
    try {
        PosixFileSystem files;
        note.Load(files, argv[1], /*detached=*/true);
    } catch (const IoError& e) {
        std::fprintf(stderr, "export_bench: %s does not load (code %u)\n", argv[1], e.Code());
        return 1;
    }
    std::printf("load %u items: %.1f ms, peak RSS %.1f MB\n", note.ItemCount(),
                MillisecondsSince(start), PeakRssMegabytes());

    CountingStream counter;
    start = BenchClock::now();
    std::uint32_t code = ExportNote(note, formats, counter);
    std::printf("export, output counted only: %.1f ms, %.1f MB in %zu writes (code %u)\n",
                MillisecondsSince(start), static_cast<double>(counter.bytes) / 1e6, counter.writes,
                code);

    start = BenchClock::now();
    if (std::FILE* file = std::fopen(out.c_str(), "wb")) {
        FileStream stream(file);
        code = ExportNote(note, formats, stream);
        if (code == 0)
            code = stream.Flush();
        std::fclose(file);
        std::printf("export to %s: %.1f ms (code %u), peak RSS %.1f MB\n", out.c_str(),
                    MillisecondsSince(start), code, PeakRssMegabytes());
        if (argc == 2)
            std::remove(out.c_str());
    } else {
        std::printf("export to %s: cannot create the file\n", out.c_str());
    }

    const Item* root = note.FindItem(note.RootId());
    start = BenchClock::now();
    const std::string text =
        ExportItemsToText(note, root ? root->links.firstChild : kNoItem, formats);
    std::printf("export to one text in memory: %.1f ms, %.1f MB, peak RSS %.1f MB\n",
                MillisecondsSince(start), static_cast<double>(text.size()) / 1e6,
                PeakRssMegabytes());
    return 0;
}
