// dir.txt of any bytes: read, the data path built, written back.
#include <memory>

#include "game/system.h"
#include "persist/data_folder_file.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile folder("folder");
    static bool made = [] {
        std::string command = "mkdir -p " + folder.path8;
        return std::system(command.c_str()) == 0;
    }();
    (void)made;
    auto system = std::make_unique<System>();
    (void)TextCopy(system->programFolder, kPathUnits, folder.path);
    (void)TextAppend(system->programFolder, kPathUnits, u"/");
    FuzzFile dir("folder/dir.txt");
    dir.Write(data, size);
    if (ReadDataFolderFile(*system)) {
        system->dataFolderRelative = 1;
        BuildDataPath(*system);
        (void)WriteDataFolderFile(*system);
    }
    return 0;
}
