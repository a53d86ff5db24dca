// The file seams' fault switches, shared by every file backend.
#include "platform/files.h"

FileFaults theFileFaults;

bool FileStaysThere() {
    if (theFileFaults.readOpensLeft < 0)
        return true;
    if (theFileFaults.readOpensLeft == 0)
        return false;
    --theFileFaults.readOpensLeft;
    return true;
}

bool FileFaultsInjected() {
    return theFileFaults.readOpensLeft >= 0 || theFileFaults.writeBudget >= 0 ||
           theFileFaults.failCreate || theFileFaults.failReplace;
}
