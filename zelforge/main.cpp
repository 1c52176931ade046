#include "imagelib/gra.h"
#include "platform/allocator.h"
#include "platform/path.h"
#include "platform/ui/application.h"
#include "program.h"

int main(int argc, char **argv) {
    platform::KeepLargeBlocksForReuse();
    platform::Application app(argc, argv);
    return zelforge::RunZelforge(app.CurrentDialogs(), TheGra(), platform::ExecutableFolder());
}
