#pragma once
#include <string>

#include "nviewlib/nviewlib.h"

// The binding to NVIEWLIB.DLL, one static instance per program. Fields in
// binding order; an entry point the library lacks stays null.
class Gra {
public:
    Gra() = default;
    ~Gra();
    Gra(const Gra &) = delete;
    Gra &operator=(const Gra &) = delete;

    void *module = nullptr;
    NViewLibSetLanguageFn NViewLibSetLanguage = nullptr;
    NViewLibSetCustomLangFn NViewLibSetCustomLang = nullptr;
    NViewLibLoadFn NViewLibLoad = nullptr;
    NViewLibSaveAsJPGFn NViewLibSaveAsJPG = nullptr;
    LoadJPGFn Load_JPG = nullptr;
    LoadGIFFn Load_GIF = nullptr;

    // Opens NVIEWLIB.DLL from the running program's own folder only (never a
    // search path) and resolves the six names. False when it is missing or
    // not a loadable library.
    [[nodiscard]] bool Load();
    // The same from a given folder (ending in '/'); used by Load and tests.
    [[nodiscard]] bool LoadFrom(const std::string &folder);
    void Unload();

    // A missing NViewLibLoad behaves as a load that failed.
    [[nodiscard]] HBITMAP LoadPicture(const std::string &path, int flag) const;
    // A missing NViewLibSaveAsJPG behaves as a save that failed.
    [[nodiscard]] bool SaveAsJpeg(int quality, const std::string &path) const;
};

// The program-wide instance.
Gra &TheGra();
