// The program ЗИРС "Тавелин".

#include "ui/application.h"

int main(int argc, char** argv) {
    return RunZirs(argc, argv);
}
