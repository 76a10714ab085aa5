#pragma once

#include <string>

namespace velmora {

// What decides where the program keeps its state; read from the machine by
// ReadStateLocationInputs, or made up by tests.
struct StateLocationInputs {
    std::string executableFolder;  // ends with '/'
    bool executableFolderWritable = true;
    bool sharedDataFolderExists = false;  // <executable folder>/../share/velmora/
    std::string xdgConfigHome;            // $XDG_CONFIG_HOME, may be empty
    std::string home;                     // $HOME, may be empty
    std::string documentsFolder;          // the user's documents folder, may be empty
};

// Folders ending with '/'. A build folder or a portable copy keeps everything beside the
// executable. An installed program (shared data beside bin/, or a folder it cannot write)
// keeps "Default.INI" in the user's configuration folder and reads the shipped files from
// share/velmora/.
struct StateLocations {
    bool installed = false;
    std::string stateFolder;   // "Default.INI"
    std::string dataFolder;    // "Help.RTF", the shipped "Default.INI" and reference files
    std::string dialogFolder;  // where the file dialogs start
};

StateLocations ChooseStateLocations(const StateLocationInputs& inputs);

// The environment's values for `executableFolder`.
StateLocationInputs ReadStateLocationInputs(const std::string& executableFolder);

// The "Default.INI" to read at start-up. An installed program's first start seeds its state
// folder with a copy of the shipped file; when that copy cannot be made, the shipped file is
// read instead (and the save at exit reports the folder it cannot write).
std::string StartupStateFile(const StateLocations& locations);

// Creates the state folder when missing, so that the save at exit can write into it. A
// failure is left to the save, which names the file it could not write.
void PrepareStateFolder(const StateLocations& locations);

}  // namespace velmora
