// Build tool: recodes one UTF-8 starter file into the Windows-1251 file the program reads.

#include "engine/codec.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: semtra-recode INPUT OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "semtra-recode: cannot read " << argv[1] << '\n';
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << semtra::codec::fromUtf8(text);
    if (!out.flush()) {
        std::cerr << "semtra-recode: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
