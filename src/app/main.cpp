#include "app/CKormakApp.h"

int main(int argc, char** argv) {
    CKormakApp app(argc, argv);
    const int done = app.initInstance();
    if (done >= 0)
        return done;
    return app.exec();
}
