#include "TextTables.h"

namespace zr50 {

// The roger-beep window, its menu entry and its tree node take their texts by id.
QString GetToneText(long id, int language) {
    static const char* const steps[][2] = {
        {"First Tone", "第一个音"},      {"Second Tone", "第二个音"},
        {"Third Tone", "第三个音"},      {"Fourth Tone", "第四个音"},
        {"Fifth Tone", "第五个音"},      {"Sixth Tone", "第六个音"},
        {"Seventh Tone", "第七个音"},    {"Eighth Tone", "第八个音"},
        {"Ninth Tone", "第九个音"},      {"Tenth Tone", "第十个音"},
        {"Eleventh Tone", "第十一个音"}, {"Twelfth Tone", "第十二个音"},
        {"Thirteenth Tone", "第十三个音"}, {"Fourteenth Tone", "第十四个音"},
    };
    LangText t;
    switch (id) {
        case 10221: t = Both("&Roger Beep", "RB音(&R)"); break;
        case 12014:
        case 29000: t = Both("Roger Beep", "RB音"); break;
        case 29001: t = Both("RB Tone", "RB音"); break;
        case 29002: t = Both("Recycle Times", "循环次数"); break;
        case 29003: t = Both("Inter Time[ms]", "间隔时间[ms]"); break;
        case 29004: t = Both("Frequency[Hz]", "频率[Hz]"); break;
        case 29005: t = Both("Tone Long[ms]", "音长[ms]"); break;
        case 29006: t = Both("&Play", "播放(&P)"); break;
        case 29007: t = Both("&Stop", "停止(&S)"); break;
        case 29200: t = Both("Off", "关"); break;
        case 29201: t = Both("None", "无"); break;
        default:
            if (id >= 29100 && id <= 29113) t = Both(steps[id - 29100][0], steps[id - 29100][1]);
            break;
    }
    return t(language);
}

}  // namespace zr50
