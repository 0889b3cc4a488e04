#include "ui/win32/Win32Layout.h"

#include <algorithm>

namespace brannock_win32 {
namespace {

RECT At(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}

// The sizes every part of the layout shares.
struct Units {
    explicit Units(const LayoutMetrics& m)
        : margin(DluX(m, 7)),
          gap(DluX(m, 4)),
          frameTop(DluY(m, 11)),
          framePad(DluX(m, 6)),
          frameBottom(DluY(m, 6)),
          edit(DluY(m, 12)),
          button(DluY(m, 14)),
          label(DluY(m, 8)),
          picture(m.icon + MulDiv(8, m.dpi, 96)),
          commandWidth(std::max(DluX(m, 50), m.commandTextWidth + DluX(m, 12))),
          wakeupWidth(std::max(DluX(m, 50), m.wakeupTextWidth + 2 * DluX(m, 6))) {}
    int margin, gap, frameTop, framePad, frameBottom, edit, button, label, picture;
    int commandWidth, wakeupWidth;
};

int FilesetFrameMinWidth(const Units& u) {
    return 2 * u.framePad + 5 * u.picture + 4 * MulDiv(u.gap, 1, 2) + u.picture;
}

int WakeupFrameHeight(const Units& u) {
    return u.frameTop + u.edit + u.gap + u.label + u.frameBottom;
}

// The Sync To row: the text box, with the browse button beside it, centred on one line.
int SyncToRowHeight(const Units& u) {
    return std::max(u.edit, u.picture);
}

int SyncToFrameHeight(const Units& u) {
    return u.frameTop + SyncToRowHeight(u) + u.frameBottom;
}

void LayOutFilesets(const Units& u, MainLayout& out) {
    const RECT& f = out.frame2;
    const int top = f.top + u.frameTop;
    int x = f.left + u.framePad;
    for (RECT& button : out.filesetButtons) {
        button = At(x, top, u.picture, u.picture);
        x += u.picture + u.gap / 2;
    }
    const int listTop = top + u.picture + u.gap;
    out.list = RECT{f.left + u.framePad, listTop, f.right - u.framePad, f.bottom - u.frameBottom};
}

void LayOutWakeup(const LayoutMetrics& m, const Units& u, int x, MainLayout& out) {
    out.frame3 = At(x, u.margin / 2, u.wakeupWidth, WakeupFrameHeight(u));
    const int inner = u.wakeupWidth - 2 * u.framePad;
    const int editWidth = std::min(inner, DluX(m, 36));
    int y = out.frame3.top + u.frameTop;
    out.wakeup = At(x + (u.wakeupWidth - editWidth) / 2, y, editWidth, u.edit);
    y += u.edit + u.gap;
    out.label1 = At(x + u.framePad, y, inner, u.label);
    out.title = At(x, out.frame3.bottom + u.gap, u.wakeupWidth, u.label);
}

void LayOutCommands(const Units& u, int x, MainLayout& out) {
    int y = u.margin;
    for (RECT& button : out.commands) {
        button = At(x, y, u.commandWidth, u.button);
        y += u.button + u.gap;
    }
}

void LayOutSyncTo(const Units& u, int width, int bottom, MainLayout& out) {
    const int height = SyncToFrameHeight(u);
    out.frame1 = At(u.margin, bottom - height, width - 2 * u.margin, height);
    const RECT& f = out.frame1;
    const int top = f.top + u.frameTop;
    const int row = SyncToRowHeight(u);
    const int browseLeft = f.right - u.framePad - u.picture;
    out.browse = At(browseLeft, top + (row - u.picture) / 2, u.picture, u.picture);
    const int editTop = top + (row - u.edit) / 2;
    out.syncTo = RECT{f.left + u.framePad, editTop, browseLeft - u.gap, editTop + u.edit};
}

SIZE MinClient(const Units& u) {
    const int width = u.margin + FilesetFrameMinWidth(u) + u.gap + u.wakeupWidth + u.gap +
                      u.commandWidth + u.margin;
    const int commands = u.margin + 3 * u.button + 2 * u.gap;
    const int wakeup = u.margin / 2 + WakeupFrameHeight(u) + u.gap + u.label;
    const int filesets =
        u.margin / 2 + u.frameTop + u.picture + u.gap + 3 * u.label + u.frameBottom;
    const int top = std::max({commands, wakeup, filesets});
    return SIZE{width, top + u.gap + SyncToFrameHeight(u) + u.margin / 2};
}

}  // namespace

MainLayout LayOutMain(const LayoutMetrics& m, SIZE client) {
    const Units u(m);
    MainLayout out{};
    out.minClient = MinClient(u);
    out.defaultClient = SIZE{std::max<LONG>(out.minClient.cx, DluX(m, 300)),
                             std::max<LONG>(out.minClient.cy, DluY(m, 150))};
    const int width = std::max(client.cx, out.minClient.cx);
    const int height = std::max(client.cy, out.minClient.cy);

    const int commandsLeft = width - u.margin - u.commandWidth;
    const int wakeupLeft = commandsLeft - u.gap - u.wakeupWidth;
    LayOutCommands(u, commandsLeft, out);
    LayOutWakeup(m, u, wakeupLeft, out);
    LayOutSyncTo(u, width, height - u.margin / 2, out);
    out.frame2 = RECT{u.margin, u.margin / 2, wakeupLeft - u.gap, out.frame1.top - u.gap};
    LayOutFilesets(u, out);
    return out;
}

}  // namespace brannock_win32
