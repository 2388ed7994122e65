#include "imaging/jpegcodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <QIODevice>
#include <QPainter>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "core/screen.h"
#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

// A decoded picture may not claim more pixels than this per byte of input;
// real pictures stay far below it, hostile headers do not.
constexpr qint64 kMaxPixelsPerByte = 1000;
constexpr int kMaxSide = 32768;

struct ErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
};

extern "C" void JpegErrorExit(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(err->Jump, 1);
}

extern "C" void JpegOutputMessage(j_common_ptr) {}

extern "C" void JpegEmitMessage(j_common_ptr info, int level)
{
    // Corrupt-data warnings (level -1) would otherwise let libjpeg carry on
    // over damaged data; a damaged picture is an error for us.
    if (level < 0 && info->err->msg_code != JWRN_EXTRANEOUS_DATA)
        JpegErrorExit(info);
}

enum class Mode { Palette, Plain };

// The state that has to survive a longjmp lives outside the frame that
// calls setjmp.
struct DecodeJob {
    const QByteArray* Data = nullptr;
    Mode Kind = Mode::Plain;
    QImage Result;
};

bool RunDecode(DecodeJob* job)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = JpegErrorExit;
    err.Pub.output_message = JpegOutputMessage;
    err.Pub.emit_message = JpegEmitMessage;
    if (setjmp(err.Jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(job->Data->constData()),
                 static_cast<unsigned long>(job->Data->size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxSide
        || cinfo.image_height > kMaxSide
        || qint64(cinfo.image_width) * cinfo.image_height
            > qint64(job->Data->size()) * kMaxPixelsPerByte) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    // Progressive pictures hold every coefficient in memory; libjpeg's own
    // limit keeps that in check.
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = TRUE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const bool gray = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    if (cmyk)
        cinfo.out_color_space = JCS_CMYK;
    else if (gray)
        cinfo.out_color_space = JCS_GRAYSCALE;
    else
        cinfo.out_color_space = job->Kind == Mode::Plain ? JCS_EXT_BGRX : JCS_RGB;
    const bool quantize = job->Kind == Mode::Palette && !cmyk;
    if (quantize) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
        cinfo.dither_mode = JDITHER_FS;
        cinfo.two_pass_quantize = TRUE;
    }
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    QImage& img = job->Result;
    if (quantize) {
        img = QImage(w, h, QImage::Format_Indexed8);
        if (!img.isNull()) {
            QList<QRgb> table(cinfo.actual_number_of_colors);
            for (int i = 0; i < cinfo.actual_number_of_colors; ++i) {
                if (cinfo.out_color_components == 1) {
                    const int v = cinfo.colormap[0][i];
                    table[i] = qRgb(v, v, v);
                } else {
                    table[i] = qRgb(cinfo.colormap[0][i], cinfo.colormap[1][i],
                                    cinfo.colormap[2][i]);
                }
            }
            img.setColorTable(table);
        }
    } else {
        img = QImage(w, h, QImage::Format_RGB32);
    }
    if (img.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const int comps = cinfo.out_color_components;
    JSAMPARRAY scratch = nullptr;
    if (!quantize && (gray || cmyk))
        scratch = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                            JDIMENSION(w * comps), 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        if (quantize || !scratch) {
            JSAMPROW row = img.scanLine(y);
            jpeg_read_scanlines(&cinfo, &row, 1);
            continue;
        }
        jpeg_read_scanlines(&cinfo, scratch, 1);
        const JSAMPLE* s = scratch[0];
        auto* d = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (gray) {
                d[x] = qRgb(s[x], s[x], s[x]);
            } else {
                // Adobe writes CMYK inverted; libjpeg hands it through as stored.
                const int c = s[4 * x], m = s[4 * x + 1], yy = s[4 * x + 2], k = s[4 * x + 3];
                d[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct EncodeJob {
    const QImage* Image = nullptr;
    int Quality = 100;
    int Ppi = 96;
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
};

bool RunEncode(EncodeJob* job)
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = JpegErrorExit;
    err.Pub.output_message = JpegOutputMessage;
    if (setjmp(err.Jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &job->Buffer, &job->Size);
    const QImage& img = *job->Image;
    cinfo.image_width = JDIMENSION(img.width());
    cinfo.image_height = JDIMENSION(img.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job->Quality, TRUE);
    cinfo.density_unit = 1;  // dots per inch
    cinfo.X_density = UINT16(job->Ppi);
    cinfo.Y_density = UINT16(job->Ppi);
    cinfo.dct_method = JDCT_ISLOW;
    if (job->Quality >= 100) {
        // Full-resolution colour: thin coloured lines and text of a page
        // stay sharp, and the picture decodes back within a step or two.
        for (int i = 0; i < cinfo.num_components; ++i) {
            cinfo.comp_info[i].h_samp_factor = 1;
            cinfo.comp_info[i].v_samp_factor = 1;
        }
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(img.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

QImage DecodeWith(const QByteArray& data, Mode mode)
{
    if (!JpegCodec::CanRead(data))
        ThrowImageError();
    DecodeJob job;
    job.Data = &data;
    job.Kind = mode;
    if (!RunDecode(&job))
        ThrowImageError();
    return std::move(job.Result);
}

}  // namespace

bool JpegCodec::CanRead(const QByteArray& data)
{
    return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8
        && uchar(data[2]) == 0xFF;
}

QImage JpegCodec::DecodePalette(const QByteArray& data)
{
    return DecodeWith(data, Mode::Palette);
}

QImage JpegCodec::Decode(const QByteArray& data)
{
    return DecodeWith(data, Mode::Plain);
}

QByteArray JpegCodec::Encode(const QImage& image, int quality, int ppi)
{
    if (image.isNull())
        return {};
    QImage src;
    if (image.hasAlphaChannel()) {
        src = QImage(image.size(), QImage::Format_RGB32);
        src.fill(Qt::white);
        QPainter p(&src);
        p.drawImage(0, 0, image);
    } else {
        src = image.convertToFormat(QImage::Format_RGB32);
    }
    EncodeJob job;
    job.Image = &src;
    job.Quality = qBound(1, quality, 100);
    job.Ppi = qBound(1, ppi > 0 ? ppi : ScreenPPI(), 65535);
    const bool ok = RunEncode(&job);
    QByteArray out;
    if (ok && job.Buffer)
        out = QByteArray(reinterpret_cast<const char*>(job.Buffer), qsizetype(job.Size));
    std::free(job.Buffer);
    return out;
}

bool JpegCodec::Encode(const QImage& image, QIODevice& device, int quality)
{
    const QByteArray bytes = Encode(image, quality);
    return !bytes.isEmpty() && device.write(bytes) == bytes.size();
}

}  // namespace dayloom
