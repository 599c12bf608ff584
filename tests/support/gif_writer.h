#pragma once

#include <QByteArray>
#include <QSize>

// An animated GIF of `frames` frames filling `canvas`, frame i in palette
// colour i % 256, each shown `delayCs` hundredths of a second, looping for
// ever. Written without compression (a clear code before the code table
// would grow past 9 bits), which every decoder reads and no encoder is
// needed for: tests and benchmarks make GIFs of any size and frame count.
inline QByteArray AnimatedGif(QSize canvas, int frames, int delayCs = 10)
{
    QByteArray gif("GIF89a");
    const auto word = [&gif](int v) {
        gif += char(v & 0xff);
        gif += char((v >> 8) & 0xff);
    };
    word(canvas.width());
    word(canvas.height());
    gif += char(0xf7); // a global table of 256 colours
    gif += '\0';
    gif += '\0';
    for (int i = 0; i < 256; ++i) {
        gif += char(i);
        gif += char((i * 7) & 0xff);
        gif += char(255 - i);
    }
    gif += QByteArray("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int f = 0; f < frames; ++f) {
        gif += QByteArray("\x21\xf9\x04\x04", 4);
        word(delayCs);
        gif += QByteArray("\x00\x00", 2);
        gif += ',';
        word(0);
        word(0);
        word(canvas.width());
        word(canvas.height());
        gif += '\0';
        gif += char(8); // code size
        QByteArray data;
        quint32 bits = 0;
        int count = 0;
        const auto code = [&](int c) {
            bits |= quint32(c) << count;
            for (count += 9; count >= 8; count -= 8, bits >>= 8)
                data += char(bits & 0xff);
        };
        const qint64 pixels = qint64(canvas.width()) * canvas.height();
        for (qint64 p = 0; p < pixels; ++p) {
            if (p % 250 == 0)
                code(256); // clear
            code(f % 256);
        }
        code(257); // end
        if (count > 0)
            data += char(bits & 0xff);
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            gif += char(block.size());
            gif += block;
        }
        gif += '\0';
    }
    gif += ';';
    return gif;
}
