#include <QApplication>

#include "GeneratorApp.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    GeneratorApp generator(app);
    return generator.InitInstance() ? 1 : 0;
}
