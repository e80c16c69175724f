// semtra: the chatbot's desktop window.

#include "window/application.hpp"

int main(int argc, char** argv) {
    return semtra::window::runApplication(argc, argv);
}
