#pragma once
#include <QCoreApplication>

// Installs the German or English texts, as the user's language asks, for
// every kind of start: the window, `convert` and `export`.
void installTranslations(QCoreApplication& application);
