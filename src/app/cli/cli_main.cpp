#include <iostream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::cout << "Usage: velmora-cli COMMAND FILE\n";
        return argc < 2 ? 2 : 0;
    }
    std::cerr << "velmora-cli: unknown command '" << argv[1] << "'\n";
    return 2;
}
