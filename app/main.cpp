// The desktop program mirukaze.
#include "app/application.h"

int main(int argc, char** argv) { return app::RunApplication(argc, argv); }
