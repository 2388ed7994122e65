#pragma once

// Test helpers that write enhanced and Windows metafiles with libuemf's
// record writers, so the players are checked against an independent writer.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

extern "C" {
#include <uemf.h>
#include <uwmf.h>
}

namespace dayloom::test {

class EmfWriter {
public:
    // A picture of w x h reference pixels at 96 per inch.
    EmfWriter(int w, int h);
    ~EmfWriter();
    void Add(char* record);  // takes the record
    EMFHANDLES* Handles() { return FHandles; }
    QByteArray Finish();

    // Helpers for the common records.
    void SolidBrush(quint32 color);
    void Pen(quint32 color, int width, quint32 style = U_PS_SOLID);
    void Font(int height, const char* face, int weight = 400);
    void Rect(int l, int t, int r, int b);
    void Text(int x, int y, const char* utf8);

private:
    QTemporaryDir FDir;
    QString FPath;
    EMFTRACK* FTrack = nullptr;
    EMFHANDLES* FHandles = nullptr;
    int FW, FH;
};

class WmfWriter {
public:
    // A placeable metafile (box of w x h units at `inch` units per inch)
    // with the window set to the box.
    WmfWriter(int w, int h, int inch);
    ~WmfWriter();
    void Add(char* record);
    WMFHANDLES* Handles() { return FHandles; }
    QByteArray Finish();

    void SolidBrush(quint32 color);
    void Pen(quint32 color, int width, quint16 style = 0);

private:
    QTemporaryDir FDir;
    QString FPath;
    WMFTRACK* FTrack = nullptr;
    WMFHANDLES* FHandles = nullptr;
};

quint32 Rgb(int r, int g, int b);

}  // namespace dayloom::test
