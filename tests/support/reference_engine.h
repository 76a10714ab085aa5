#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "form/control_state.h"
#include "persistence/parameter_file.h"

namespace velmora::test {

// A reference engine as shipped in examples/ ("KESTMORE.RBP", "BRANDOCK TAPPER.RBP"), read as
// Load Parameters reads it: the one place the tests take a reference engine from, so a test
// and the shipped file cannot drift apart.
inline ControlState ReferenceEngineControls(const std::string& fileName) {
    const char* source = std::getenv("VELMORA_SOURCE_DIR");
    EXPECT_NE(source, nullptr) << "VELMORA_SOURCE_DIR names the source folder";
    const std::string path =
        std::string(source != nullptr ? source : ".") + "/examples/" + fileName;
    ControlState state;
    bool heldAnyKey = false;
    LoadParameterFile(path, state, &heldAnyKey);
    EXPECT_TRUE(heldAnyKey) << "no parameter file at " << path;
    return state;
}

}  // namespace velmora::test
