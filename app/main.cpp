#include "app/Application.h"

int main(int argc, char** argv) {
    return ledcube::RunProgram(argc, argv);
}
