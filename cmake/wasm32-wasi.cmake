# The web page's build: the portable core for wasm32-wasi with Debian's
# clang-19 (clang-19, lld-19, libc++-19-dev-wasm32, libc++abi-19-dev-wasm32,
# libclang-rt-19-dev-wasm32, wasi-libc), whose sysroot is /usr.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-19)
set(CMAKE_CXX_COMPILER clang++-19)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
# The compiler checks build a library: a program needs the link settings
# the module sets for itself.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# This libc++ is built without exceptions.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
