#include "support/EventLoop.h"

namespace zr50::test {

QCoreApplication& CoreApp() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "zr50_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
    return *QCoreApplication::instance();
}

}  // namespace zr50::test
