#pragma once
// The application's strings in the registry and the choice of the data directory: the stored
// application path, the machine's common application-data folder or the program's own folder,
// each made into <base>\Corvath\Nimbrel\1.0\ and tested by writing a file; when none passes, the
// user is asked for a folder until one does or the user gives up.
#include <functional>
#include <string>

namespace app {

std::u16string ReadAppString(const std::u16string& Name, const std::u16string& Default);
// Writes only when the application's key exists already.
void WriteAppString(const std::u16string& Name, const std::u16string& Value);
std::u16string ReadCommonAppData();
bool GetAppPathDir(std::u16string& Path);
bool GetCommonAppDataDir(std::u16string& Path);
// The data directory of a base folder, made with its missing parents.
std::u16string MakeDataDir(const std::u16string& Base);
// Writes the number 5632 into a new temporary file of the folder and reads it back.
bool IsDirWritable(const std::u16string& Dir);

// The questions the choice asks the user: a warning before a second folder dialog, and the
// folder dialog itself (false: cancelled). The program's own ask with real dialogs; tests script them.
struct DataDirQuestions {
    std::function<void()> Warn;
    std::function<bool(std::u16string& folder)> ChooseFolder;
};
DataDirQuestions DialogQuestions();

bool AskAppPath(std::u16string& Path, bool& Asked, const DataDirQuestions& questions);
// The data directory; clears DataReady when the user gave up.
std::u16string GetDataDir(const DataDirQuestions& questions);

}  // namespace app
