// Loads and saves a 100,000-entry links file and sets the times against the I/O floor: the same
// bytes read and written with plain stdio in the same run. Run on demand with `make bench`; an
// argument (0 ANSI, 1 UTF-8, 2 UTF-16) measures that encoding alone, in a heap of its own.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

#include "util/LinksFile.h"

namespace {
using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class F>
double Best(int rounds, F&& f) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        f();
        best = std::min(best, Millis(Clock::now() - start));
    }
    return best;
}

std::u16string ProgramPath(const std::filesystem::path& p) {
    std::u16string s = p.u16string();
    std::replace(s.begin(), s.end(), u'/', u'\\');
    return s;
}
}  // namespace

int main(int argc, char** argv) {
    const auto dir = std::filesystem::temp_directory_path() / "nimbrel-bench";
    std::filesystem::create_directories(dir);
    const auto linksPath = dir / "links.dat";
    const auto floorPath = dir / "floor.dat";

    int failures = 0;
    for (auto encoding : {util::TextEncoding::Ansi, util::TextEncoding::Utf8Bom, util::TextEncoding::Utf16LE}) {
        if (argc > 1 && std::atoi(argv[1]) != static_cast<int>(encoding)) continue;
        util::LinksDocument doc;
        doc.Encoding = encoding;
        for (int i = 0; i < 100000; ++i)
            doc.Lines.push_back(u"Programm " + std::u16string(u"Zubehör ") + std::u16string(1, u'A' + i % 26) +
                                u"\tC:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Zubehör\\Eintrag" +
                                std::u16string(1, u'0' + i % 10) + u".lnk");
        const std::string bytes = util::FormatLinksText(doc);

        const double save = Best(5, [&] { util::SaveLinksFile(ProgramPath(linksPath), doc); });
        const double load = Best(5, [&] { util::LoadLinksFile(ProgramPath(linksPath)); });
        const double floorWrite = Best(5, [&] {
            std::FILE* f = std::fopen(floorPath.c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fflush(f);
            std::fclose(f);
        });
        // The save replaces the file durably: its bytes flushed to disk before the rename, and the
        // folder flushed after it so that the rename survives a power loss. The fair floor does
        // the same with plain stdio.
        const auto floorTemp = dir / "floor.dat.tmp";
        const double floorDurable = Best(5, [&] {
            std::FILE* f = std::fopen(floorTemp.c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fflush(f);
            fsync(fileno(f));
            std::fclose(f);
            std::rename(floorTemp.c_str(), floorPath.c_str());
            const int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
            fsync(folder);
            close(folder);
        });
        const double floorRead = Best(5, [&] {
            std::FILE* f = std::fopen(floorPath.c_str(), "rb");
            std::vector<char> buffer(bytes.size());
            const size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
            std::fclose(f);
            if (n != bytes.size()) std::abort();
        });
        const char* name = encoding == util::TextEncoding::Ansi ? "ANSI" : encoding == util::TextEncoding::Utf8Bom ? "UTF-8" : "UTF-16";
        const double ratio = (save + load) / (floorDurable + floorRead);
        std::printf("%-6s %6.0f KiB  load %6.2f ms  save %6.2f ms | stdio read %5.2f ms  write %5.2f ms  write+fsync %6.2f ms"
                    " | %.1fx the durable floor, %.1fx plain stdio%s\n",
                    name, bytes.size() / 1024.0, load, save, floorRead, floorWrite, floorDurable, ratio,
                    (save + load) / (floorWrite + floorRead), ratio > 3 ? "  ABOVE TARGET" : "");
        failures += ratio > 3;
    }
    std::filesystem::remove_all(dir);
    return failures ? 1 : 0;
}
