// Entry of the tests that use Qt: an empty home and a QCoreApplication for
// the Qt services.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "TestHome.h"

int main(int argc, char** argv) {
    QTemporaryDir home;
    testsupport::useEmptyHome(home);
    QCoreApplication::setApplicationName("Quillview");
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
