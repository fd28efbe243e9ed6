#include "lazy_libraries.h"

#include <cmath>
#include <dlfcn.h>
#include <zlib.h>

namespace cellwright {

namespace {

struct Library {
    const char *name;
    void *handle = nullptr;
};

Library zlib { "libz.so.1" };
// Only pugixml's XPath, which nothing here evaluates, calls into it (fmod).
Library libm { "libm.so.6" };

void *Open(Library &library)
{
    if (!library.handle)
        library.handle = ::dlopen(library.name, RTLD_NOW | RTLD_LOCAL);
    return library.handle;
}

// The library's own `name`, of the type of the function standing in for it; null when missing.
template <typename Function> Function *Bind(Library &library, const char *name)
{
    void *const handle = Open(library);
    return handle ? reinterpret_cast<Function *>(::dlsym(handle, name)) : nullptr;
}

} // namespace

std::string LoadPackageLibraries()
{
    // libm is left to its first call, which reading a document never makes.
    if (Open(zlib))
        return {};
    const char *const reason = ::dlerror();
    return reason ? reason : zlib.name;
}

} // namespace cellwright

// Stand-ins with zlib's and libm's own declarations. Should a library be missing after all,
// zlib's calls fail as zlib reports a failure, which the package reader turns into a refusal.
using cellwright::Bind;
using cellwright::libm;
using cellwright::zlib;

int inflateInit2_(z_streamp stream, int windowBits, const char *version, int size)
{
    static auto *const real = Bind<decltype(inflateInit2_)>(zlib, "inflateInit2_");
    return real ? real(stream, windowBits, version, size) : Z_VERSION_ERROR;
}

int inflate(z_streamp stream, int flush)
{
    static auto *const real = Bind<decltype(inflate)>(zlib, "inflate");
    return real ? real(stream, flush) : Z_STREAM_ERROR;
}

int inflateEnd(z_streamp stream)
{
    static auto *const real = Bind<decltype(inflateEnd)>(zlib, "inflateEnd");
    return real ? real(stream) : Z_STREAM_ERROR;
}

uLong crc32(uLong crc, const Bytef *bytes, uInt length)
{
    static auto *const real = Bind<decltype(crc32)>(zlib, "crc32");
    return real ? real(crc, bytes, length) : 0;
}

const z_crc_t *get_crc_table()
{
    static auto *const real = Bind<decltype(get_crc_table)>(zlib, "get_crc_table");
    return real ? real() : nullptr;
}

extern "C" double fmod(double x, double y) noexcept
{
    static auto *const real = Bind<double(double, double)>(libm, "fmod");
    return real ? real(x, y) : std::nan("");
}
