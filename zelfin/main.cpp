#include "imagelib/gra.h"
#include "platform/allocator.h"
#include "platform/path.h"
#include "platform/ui/application.h"
#include "result_window.h"

int main(int argc, char **argv) {
    platform::KeepLargeBlocksForReuse();
    platform::Application app(argc, argv);
    return zelfin::RunZelfinProgram(app.CurrentDialogs(), TheGra(), platform::ExecutableFolder(), app.Title());
}
