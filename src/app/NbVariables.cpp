#include "app/NbVariables.h"

namespace app {

std::u16string DataDir;
bool DataReady = true;
int FolderIndex = 1;
int FolderSize = 8;
bool AddMenuSelection = false;

std::u16string AppRegistryKey() { return u"Software\\" + AppCompany + u"\\" + AppProduct + u"\\" + AppVersion; }

int ClampFolderIndex(int value) { return value > 1 ? 1 : value < 0 ? 0 : value; }

int ClampFolderSize(int value) {
    const int clamped = value > 12 ? 12 : value < 8 ? 8 : value;
    return clamped / 2 * 2;
}

}  // namespace app
