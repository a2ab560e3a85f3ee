#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliTypes.h"
#include "cli/Dispatcher.h"

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        return kyr::cli::Run(args, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return kyr::cli::ExitFailed;
    }
}
