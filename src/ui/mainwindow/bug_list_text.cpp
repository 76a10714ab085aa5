#include "ui/mainwindow/bug_list_text.h"

namespace velmora {

QString BugListText() {
    return QStringLiteral(
        "Click anywhere on this text to make it go away (menu \"Bug List\" brings it back).\n"
        "\n"
        "Known limitations and notes:\n"
        "\n"
        "1. The gas is treated as isothermal in each space; regenerator and heat\n"
        "   exchanger losses are not modelled, so real engines make less power\n"
        "   than the Schmidt and PV estimates.\n"
        "2. Pressure equalization runs to completion only when the \"Computed:\"\n"
        "   cycle count on the Graphs page is empty; otherwise the stated number\n"
        "   of cycles is computed and a caution is shown.\n"
        "3. Negative numbers cannot be typed: a text beginning with \"-\" reads\n"
        "   as 0 and is reported in the Computed Values page.\n"
        "4. Equal hot and cold temperatures leave the design steps 4 to 6 without\n"
        "   a result.\n"
        "5. Changing an output unit does not convert the numbers already typed in\n"
        "   the Design it Yourself fields; they are read in the new unit.\n"
        "6. The Power/Phase and Power/Torque curves are recomputed every time the\n"
        "   second graph is refreshed, which makes each run slower while they are\n"
        "   shown.\n"
        "7. The sensitivity study (\"Increase Schmidt Power\") changes each input\n"
        "   by 10% of its typed number, in the unit chosen beside it: temperatures\n"
        "   are varied as typed, not as absolute temperatures.\n"
        "8. The window remembers its size, position and page in Default.INI beside\n"
        "   the program; delete that file to start again from the defaults.\n");
}

}  // namespace velmora
