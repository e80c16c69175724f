// semtra-cli: the chatbot in a terminal.

#include "app/terminal_chat.hpp"
#include "engine/data_folder.hpp"

#include <clocale>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

namespace {

void usage(std::ostream& out) {
    out << "usage: semtra-cli [--dir DIR] [--seed N]\n"
           "Talk to the bot: type a line in Russian and press Enter; end with Ctrl+D.\n"
           "  --dir DIR   work in DIR (it holds the Base folder of the bot's memory)\n"
           "  --seed N    make the run reproducible\n";
}

std::filesystem::path executablePath(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argv0) : self;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::optional<std::filesystem::path> dir;
    semtra::TerminalOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            usage(std::cout);
            return 0;
        }
        if ((arg == "--dir" || arg == "--seed") && i + 1 < argc) {
            const std::string value = argv[++i];
            if (arg == "--dir") {
                dir = value;
                continue;
            }
            try {
                std::size_t used = 0;
                options.seed = std::stoi(value, &used);
                if (used == value.size())
                    continue;
            } catch (const std::exception&) {
            }
            std::cerr << "semtra-cli: --seed needs a whole number, not \"" << value << "\"\n";
            return 2;
        }
        std::cerr << "semtra-cli: unknown argument \"" << arg << "\"\n";
        usage(std::cerr);
        return 2;
    }
    try {
        options.workDir = semtra::chooseWorkFolder(dir, executablePath(argv[0]));
        options.drivesDir = semtra::drivesFolder();
    } catch (const std::exception& error) {
        std::cerr << "semtra-cli: " << error.what() << '\n';
        return 2;
    }
    return semtra::runTerminalChat(options, std::cin, std::cout, std::cerr);
}
