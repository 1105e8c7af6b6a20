#pragma once
// The render tests paint with fonts, which need a GUI application; the first test to
// paint creates it, once for the whole program.

#include <QGuiApplication>

namespace lumivar {

inline void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "render_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

} // namespace lumivar
