#include "platform/DisplayModes.h"

#include <algorithm>
#include <cstdio>

#ifdef TAVRIN_HAVE_XRANDR
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#endif

namespace platform {
namespace {
std::function<std::vector<DisplayMode>()>& testSource() {
    static std::function<std::vector<DisplayMode>()> source;
    return source;
}

#if !defined(_WIN32) && defined(TAVRIN_HAVE_XRANDR)
int refreshRate(const XRRModeInfo& m) {
    double lines = m.vTotal;
    if (m.modeFlags & RR_DoubleScan) lines *= 2;
    if (m.modeFlags & RR_Interlace) lines /= 2;
    if (m.hTotal == 0 || lines == 0) return 0;
    return static_cast<int>(static_cast<double>(m.dotClock) / (m.hTotal * lines) + 0.5);
}

// The modes of the primary output, or of the first connected one.
std::vector<DisplayMode> xrandrModes() {
    std::vector<DisplayMode> out;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return out;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    // XRRGetScreenResourcesCurrent needs RandR 1.3; an older server would raise an X error,
    // whose default handler ends the process.
    if (XRRQueryExtension(dpy, &eventBase, &errorBase) && XRRQueryVersion(dpy, &major, &minor) &&
        (major > 1 || (major == 1 && minor >= 3))) {
        const Window root = DefaultRootWindow(dpy);
        const int depth = DefaultDepth(dpy, DefaultScreen(dpy));
        // An X screen of depth 24 stores 32 bits per pixel, as Windows reports it.
        const int bits = depth == 24 ? 32 : depth;
        if (XRRScreenResources* res = XRRGetScreenResourcesCurrent(dpy, root)) {
            const RROutput primary = XRRGetOutputPrimary(dpy, root);
            XRROutputInfo* chosen = nullptr;
            for (int i = 0; i < res->noutput; ++i) {
                XRROutputInfo* info = XRRGetOutputInfo(dpy, res, res->outputs[i]);
                if (!info) continue;
                const bool usable = info->connection == RR_Connected && info->nmode > 0;
                if (usable && (!chosen || res->outputs[i] == primary)) {
                    if (chosen) XRRFreeOutputInfo(chosen);
                    chosen = info;
                } else {
                    XRRFreeOutputInfo(info);
                }
            }
            if (chosen) {
                for (int i = 0; i < chosen->nmode; ++i) {
                    for (int k = 0; k < res->nmode; ++k) {
                        const XRRModeInfo& m = res->modes[k];
                        if (m.id != chosen->modes[i]) continue;
                        out.push_back({static_cast<int>(m.width), static_cast<int>(m.height), bits,
                                       refreshRate(m)});
                        break;
                    }
                }
                XRRFreeOutputInfo(chosen);
            }
            XRRFreeScreenResources(res);
        }
    }
    XCloseDisplay(dpy);
    return out;
}
#endif
}  // namespace

#ifndef _WIN32
std::vector<DisplayMode> reportedDisplayModes() {
#ifdef TAVRIN_HAVE_XRANDR
    return xrandrModes();
#else
    return {};
#endif
}
#endif

std::vector<std::string> displayModeTexts(const std::vector<DisplayMode>& reported) {
    std::vector<std::string> result;  // newest first
    for (const DisplayMode& m : reported) {
        if (m.bitsPerPixel != 32) continue;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%d-%d-%d-%d", m.width, m.height, m.bitsPerPixel,
                      m.frequency);
        if (std::find(result.begin(), result.end(), buf) != result.end()) continue;
        result.insert(result.begin(), buf);
    }
    return result;
}

std::vector<std::string> listDisplayModes() {
    const auto& source = testSource();
    return displayModeTexts(source ? source() : reportedDisplayModes());
}

void setDisplayModeSourceForTesting(std::function<std::vector<DisplayMode>()> source) {
    testSource() = std::move(source);
}

}  // namespace platform
