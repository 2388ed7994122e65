#!/bin/sh
# Remakes icons32.dll (PE32) and icons64.dll (PE32+): resource-only DLLs
# made by Debian's MinGW binutils (binutils-mingw-w64-i686 and
# binutils-mingw-w64-x86-64; the host's cpp preprocesses) from icons.rc and the
# icons makeicons.py draws.
set -e
cd "$(dirname "$0")"
python3 makeicons.py
i686-w64-mingw32-windres --preprocessor=cpp icons.rc -O coff -o icons32.o
i686-w64-mingw32-ld --dll -e 0 -s -o icons32.dll icons32.o
x86_64-w64-mingw32-windres --preprocessor=cpp icons.rc -O coff -o icons64.o
x86_64-w64-mingw32-ld --dll -e 0 -s -o icons64.dll icons64.o
rm -f icons32.o icons64.o ./*.ico
