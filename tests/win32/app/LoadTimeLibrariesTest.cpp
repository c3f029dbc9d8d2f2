// The libraries each program has loaded before its `main`: the shell, COM, the shell's light
// helpers and the version reader wait for their first call, so that the run box's first frame
// waits for none of them. Read from the programs' own files, as the loader reads them.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring BesideTheTests(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L'\\') + 1);
    return path + L"..\\" + name;
}

template <typename T>
std::optional<T> At(const std::vector<char>& file, std::size_t offset) {
    if (offset > file.size() || file.size() - offset < sizeof(T)) return std::nullopt;
    T value;
    std::memcpy(&value, file.data() + offset, sizeof(T));
    return value;
}

// The names of the libraries in a program's import table, in lower case; nothing when the file
// is no 64-bit program or its table leads outside the file.
std::set<std::string> LoadTimeLibraries(const std::wstring& program) {
    std::ifstream in(std::filesystem::path(program), std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    const auto dos = At<IMAGE_DOS_HEADER>(file, 0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return names;
    const auto nt = At<IMAGE_NT_HEADERS64>(file, static_cast<std::size_t>(dos->e_lfanew));
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return names;
    const std::size_t sections = static_cast<std::size_t>(dos->e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                 nt->FileHeader.SizeOfOptionalHeader;
    const auto fileOffset = [&](DWORD rva) -> std::optional<std::size_t> {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto section = At<IMAGE_SECTION_HEADER>(file, sections + i * sizeof(IMAGE_SECTION_HEADER));
            if (!section) return std::nullopt;
            if (rva >= section->VirtualAddress && rva - section->VirtualAddress < section->SizeOfRawData)
                return std::size_t{section->PointerToRawData} + (rva - section->VirtualAddress);
        }
        return std::nullopt;
    };
    const DWORD table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    auto entry = fileOffset(table);
    for (int i = 0; entry && i < 256; ++i, *entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(file, *entry);
        if (!descriptor || descriptor->Name == 0) break;
        const auto name = fileOffset(descriptor->Name);
        if (!name) break;
        std::string text;
        for (std::size_t at = *name; at < file.size() && file[at] && text.size() < 64; ++at)
            text += static_cast<char>(std::tolower(static_cast<unsigned char>(file[at])));
        names.insert(text);
    }
    return names;
}

}  // namespace

TEST(Win32LoadTimeLibraries, TheShellAndComLoadAtTheirFirstCallNotBeforeTheProgramStarts) {
    for (const wchar_t* program : {L"run.exe", L"nimbrel.exe"}) {
        SCOPED_TRACE(testing::Message() << "program " << std::string(program, program + wcslen(program)));
        const std::set<std::string> loaded = LoadTimeLibraries(BesideTheTests(program));
        // The table was read: the windowing library is there from the start.
        EXPECT_TRUE(loaded.count("user32.dll")) << loaded.size() << " libraries read";
        EXPECT_TRUE(loaded.count("comctl32.dll"));
        for (const char* later : {"shell32.dll", "ole32.dll", "shlwapi.dll", "version.dll"})
            EXPECT_FALSE(loaded.count(later)) << later << " is loaded before the program starts";
    }
}

TEST(Win32LoadTimeLibraries, AFunctionOfALibraryLoadedAtItsFirstCallWorks) {
    // This test program is linked as the programs are: its calls into the shell load the shell.
    wchar_t windows[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_WINDOWS, nullptr, 0, windows));
    EXPECT_EQ(0, _wcsicmp(windows, L"C:\\windows"));
    EXPECT_NE(nullptr, GetModuleHandleW(L"shell32.dll"));
}
