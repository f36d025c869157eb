// The program ЗИРС "Тавелин".

#include "application.h"

int main(int argc, char** argv) {
    return RunZirs(argc, argv);
}
