// Loads and saves a 100,000-entry links file and sets the times against the I/O floor: the same
// bytes read and written with plain stdio in the same run. Run on demand with `make bench`; each
// encoding runs in a process of its own, and an argument (0 ANSI, 1 UTF-8, 2 UTF-16) runs one.
//
// Every round starts with the heap's free memory given back to the system, as in a program that
// loads its links once after it starts: the document and the floor's buffer are new memory each
// time. Without it the C library's trimming rules decided by chance, from the sizes freed just
// before, whether a round found its memory still mapped, and the figures swung by half.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

#include "util/LinksFile.h"

namespace {
using Clock = std::chrono::steady_clock;
// The best of this many: enough that a busy moment of the machine rarely decides a figure.
constexpr int Rounds = 15;

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// What f returns (a loaded document, a read buffer) is freed after the clock has stopped: the
// time is that of the work, not of giving its result back.
template <class F>
double Best(int rounds, F&& f) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        malloc_trim(0);  // every round from the same state; see above
        const auto start = Clock::now();
        [[maybe_unused]] const auto result = f();
        best = std::min(best, Millis(Clock::now() - start));
    }
    return best;
}

std::u16string ProgramPath(const std::filesystem::path& p) {
    std::u16string s = p.u16string();
    std::replace(s.begin(), s.end(), u'/', u'\\');
    return s;
}
// Measures one encoding; false when it missed the target.
bool Measure(util::TextEncoding encoding) {
    const auto dir = std::filesystem::temp_directory_path() / ("nimbrel-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto linksPath = dir / "links.dat";
    const auto floorPath = dir / "floor.dat";
    {
        util::LinksDocument doc;
        doc.Encoding = encoding;
        for (int i = 0; i < 100000; ++i)
            doc.Lines.push_back(u"Programm " + std::u16string(u"Zubehör ") + std::u16string(1, u'A' + i % 26) +
                                u"\tC:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Zubehör\\Eintrag" +
                                std::u16string(1, u'0' + i % 10) + u".lnk");
        const std::string bytes = util::FormatLinksText(doc);

        const double save = Best(Rounds, [&] { return util::SaveLinksFile(ProgramPath(linksPath), doc); });
        const double load = Best(Rounds, [&] { return util::LoadLinksFile(ProgramPath(linksPath)); });
        const double floorWrite = Best(Rounds, [&] {
            std::FILE* f = std::fopen(floorPath.c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fflush(f);
            return std::fclose(f);
        });
        // The save replaces the file durably: its bytes flushed to disk before the rename, and the
        // folder flushed after it so that the rename survives a power loss. The fair floor does
        // the same with plain stdio.
        const auto floorTemp = dir / "floor.dat.tmp";
        const double floorDurable = Best(Rounds, [&] {
            std::FILE* f = std::fopen(floorTemp.c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fflush(f);
            fsync(fileno(f));
            std::fclose(f);
            std::rename(floorTemp.c_str(), floorPath.c_str());
            const int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
            fsync(folder);
            return close(folder);
        });
        const double floorRead = Best(Rounds, [&] {
            std::FILE* f = std::fopen(floorPath.c_str(), "rb");
            std::vector<char> buffer(bytes.size());
            const size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
            std::fclose(f);
            if (n != bytes.size()) std::abort();
            return buffer;
        });
        const char* name = encoding == util::TextEncoding::Ansi ? "ANSI" : encoding == util::TextEncoding::Utf8Bom ? "UTF-8" : "UTF-16";
        const double ratio = (save + load) / (floorDurable + floorRead);
        std::printf("%-6s %6.0f KiB  load %6.2f ms  save %6.2f ms | stdio read %5.2f ms  write %5.2f ms  write+fsync %6.2f ms"
                    " | %.1fx the durable floor, %.1fx plain stdio%s\n",
                    name, bytes.size() / 1024.0, load, save, floorRead, floorWrite, floorDurable, ratio,
                    (save + load) / (floorWrite + floorRead), ratio > 3 ? "  ABOVE TARGET" : "");
        std::fflush(stdout);
        std::filesystem::remove_all(dir);
        return ratio <= 3;
    }
}
}  // namespace

int main(int argc, char** argv) {
    const util::TextEncoding all[] = {util::TextEncoding::Ansi, util::TextEncoding::Utf8Bom, util::TextEncoding::Utf16LE};
    if (argc > 1) {
        const int which = std::atoi(argv[1]);
        return which >= 0 && which < 3 && Measure(all[which]) ? 0 : 1;
    }
    // Each encoding in a process of its own: what one left in the heap (its freed lines scattered
    // over the free lists) made the next one's lines land apart and slowed its load by half.
    int failures = 0;
    for (const auto encoding : all) {
        const pid_t child = fork();
        if (child == 0) _exit(Measure(encoding) ? 0 : 1);
        int status = 0;
        failures += child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    }
    return failures ? 1 : 0;
}
