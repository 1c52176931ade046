#include "gra.h"

#include <dlfcn.h>

#include "platform/path.h"

namespace {

template <typename Fn>
Fn Resolve(void *module, const char *name) {
    return reinterpret_cast<Fn>(dlsym(module, name));
}

}  // namespace

Gra::~Gra() { Unload(); }

bool Gra::Load() { return LoadFrom(platform::ExecutableFolder()); }

bool Gra::LoadFrom(const std::string &folder) {
    Unload();
    // A path with a '/' makes dlopen take exactly this file: a bare name
    // would search the library path, which a stranger's package must not steer.
    const std::string path = folder + "NVIEWLIB.DLL";
    module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return false;
    NViewLibSetLanguage = Resolve<NViewLibSetLanguageFn>(module, "NViewLibSetLanguage");
    NViewLibSetCustomLang = Resolve<NViewLibSetCustomLangFn>(module, "NViewLibSetCustomLang");
    NViewLibLoad = Resolve<NViewLibLoadFn>(module, "NViewLibLoad");
    NViewLibSaveAsJPG = Resolve<NViewLibSaveAsJPGFn>(module, "NViewLibSaveAsJPG");
    Load_JPG = Resolve<LoadJPGFn>(module, "Load_JPG");
    Load_GIF = Resolve<LoadGIFFn>(module, "Load_GIF");
    return true;
}

void Gra::Unload() {
    if (module != nullptr) dlclose(module);
    module = nullptr;
    NViewLibSetLanguage = nullptr;
    NViewLibSetCustomLang = nullptr;
    NViewLibLoad = nullptr;
    NViewLibSaveAsJPG = nullptr;
    Load_JPG = nullptr;
    Load_GIF = nullptr;
}

HBITMAP Gra::LoadPicture(const std::string &path, int flag) const {
    if (NViewLibLoad == nullptr) return nullptr;
    return NViewLibLoad(path.c_str(), flag);
}

bool Gra::SaveAsJpeg(int quality, const std::string &path) const {
    if (NViewLibSaveAsJPG == nullptr) return false;
    return NViewLibSaveAsJPG(quality, path.c_str()) == 1;
}

Gra &TheGra() {
    static Gra instance;
    return instance;
}
