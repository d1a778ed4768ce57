#include "display/chart_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/chart_axis.h"
#include "display/scope_view.h"
#include "display/status_texts.h"
#include "display/text_width.h"
#include "text/number_text.h"

namespace trindel {

namespace {

constexpr int kChartTop = 34;
constexpr RGBColor kInfoColour{0, 0, 0};
constexpr int kBackupLeft = 120;

float& nv(Program& p, int c, int e) {
    return p.channels.Nvar[static_cast<size_t>(c)][static_cast<size_t>(e)];
}
float nv(const Program& p, int c, int e) {
    return p.channels.Nvar[static_cast<size_t>(c)][static_cast<size_t>(e)];
}

int width(const Program& p) {
    return p.prefs[kPrefWindowWidth];
}
int height(const Program& p) {
    return p.prefs[kPrefWindowHeight];
}

int bandTop(const Program& p, int c) {
    return static_cast<int>(nv(p, c, kBandBottom) - nv(p, c, kBandHeight)) - 1;
}

void drawBand(const Program& p, Canvas& canvas, int c) {
    const int W = width(p);
    const int T = bandTop(p, c);
    const int B = static_cast<int>(nv(p, c, kBandBottom));
    const RGBColor frame = p.colours.ChartFrameColor;
    canvas.frameRect(Rect{0, T, W, B + 1}, frame);
    const float maxy = nv(p, c, kDisplayMax);
    const float miny = nv(p, c, kDisplayMin);
    int zeroRow = -1000;
    if (p.prefs[kPrefShowZeroLines] != 0 && maxy > 0 && miny < 0) {
        zeroRow = static_cast<int>(T + 0.99 + (B - T) * maxy / (maxy - miny));
        canvas.line(1, zeroRow, W - 2, zeroRow, frame, PenStyle::Dashed);
    }
    if (p.prefs[kPrefShowScaleGrid] != 0) {
        const float h = nv(p, c, kBandHeight);
        int n = h >= 76 ? 4 : (h > 50 ? 3 : 2);
        if (p.prefs[kPrefManyGridLines] != 0) {
            n *= 2;
        }
        const PenStyle style =
            p.prefs[kPrefDashedGridLines] != 0 ? PenStyle::Dashed : PenStyle::Solid;
        for (int k = 1; k < n; ++k) {
            const int row = static_cast<int>(B - k * h / n);
            if (std::abs(row - zeroRow) > 1) {
                canvas.line(1, row, W - 2, row, p.colours.VeryLightGray, style);
            }
        }
    }
    const TextStyle small{9, false, frame};
    drawScaleLabels(p, canvas, c, false);
    // One size smaller than the other labels: "Channel 16  Input #16" must end before the
    // read-out field at column 170.
    canvas.text(48, T + 11,
                "Channel " + std::to_string(c) + "  Input #" +
                    std::to_string(static_cast<int>(nv(p, c, kInputNumber))),
                TextStyle{8, false, frame});
    std::string label = p.channels.label(c);
    while (!label.empty() && label.back() == ' ') {
        label.pop_back();
    }
    const bool large = p.prefs[kPrefLargeReadouts] != 0;
    canvas.text(large ? 341 : 258, T + 11, label, small);
    if (nv(p, c, kCoeffA) == -9999.0f) {
        canvas.text(48, static_cast<int>(nv(p, c, kReadoutRow)) + (large ? 34 : 24),
                    "Arrow keys: up = +1; down = -1; home = 0", small);
    }
}

void drawEndOfSampling(Program& p, Canvas& canvas, int scrollSamples) {
    const Session& s = p.session;
    if (s.RecordingMODE == 2 || s.Sample + scrollSamples <= s.MaxSamples) {
        return;  // scope mode has no chart to end
    }
    const int W = width(p);
    const int x = W - static_cast<int>((s.Sample + scrollSamples - s.MaxSamples) / s.ChartView);
    const int bottom = lastBandBottom(p);
    const int top = s.RecordingMODE == 3 ? static_cast<int>(nv(p, 1, kBandBottom)) : 33;
    canvas.fillRect(Rect{x, top, x + 2, bottom}, p.colours.RGBred);
    canvas.text(x + 4, bottom + 22, "\xAC End of sampling period",
                TextStyle{10, true, p.colours.RGBred});
}

}  // namespace

bool displaysShownFor(const Session& s) {
    return s.RecordingMODE != 2 && s.Max_Display_Speed >= 0 &&
           s.Max_Display_Speed / 1e6 <= s.ChartINTERVALinSECONDS;
}

void drawScaleLabels(const Program& p, Canvas& canvas, int c, bool clearOld) {
    const int T = bandTop(p, c);
    const int minRow = static_cast<int>(nv(p, c, kLabelRow)) - 3;
    const TextStyle small{9, false, p.colours.ChartFrameColor};
    const std::string top = StringFormatter(nv(p, c, kDisplayMax));
    const std::string bottom = StringFormatter(nv(p, c, kDisplayMin));
    if (clearOld) {
        // After a scale change in the pause window the new range is written over the old one:
        // the space left of the channel label, inside the frame.
        canvas.fillRect(Rect{1, T + 1, 46, T + 13}, p.colours.ChartBackgroundColor);
        canvas.fillRect(Rect{1, minRow - 10, 46, minRow + 2}, p.colours.ChartBackgroundColor);
    }
    canvas.text(1, T + 11, top, small);
    canvas.text(1, minRow, bottom, small);
}

void SetChanParams(Program& p, int oldHeight, int rescale) {
    const int n = p.session.nChan;
    if (rescale == 0) {
        if (oldHeight == 0) {
            p.prefs[kPrefWindowHeight] = 768;
        }
        if (n > 0) {
            const float h = static_cast<float>(height(p) - 60) / static_cast<float>(n);
            for (int c = 1; c <= n; ++c) {
                nv(p, c, kBandHeight) = h;
                nv(p, c, kBandBottom) = 34 + c * h;
                nv(p, c, kReadoutRow) = nv(p, c, kBandBottom) - h;
                nv(p, c, kLabelRow) = nv(p, c, kBandBottom) - 2;
                nv(p, c, kLastPenRow) = nv(p, c, kBandBottom);
            }
        }
    } else if (oldHeight > 60) {
        const float f = static_cast<float>(height(p) - 60) / static_cast<float>(oldHeight - 60);
        for (int c = 1; c <= n; ++c) {
            const float top = c == 1 ? 35.0f : nv(p, c - 1, kBandBottom) + 1;
            nv(p, c, kBandHeight) *= f;
            nv(p, c, kBandBottom) = top + nv(p, c, kBandHeight);
            if (c < n) {
                nv(p, c + 1, kReadoutRow) = nv(p, c, kBandBottom) + 1;
            }
            nv(p, c, kLabelRow) = nv(p, c, kBandBottom) - 2;
            nv(p, c, kLastPenRow) = nv(p, c, kBandBottom);
        }
    }
    CLEARARRAY(p.scope);
}

bool chartWindowResized(Program& p, int newWidth, int newHeight, bool runUnderway) {
    if (runUnderway) {
        return false;
    }
    const int minHeight = std::max(kMinChartHeight, 60 + 12 * std::max<int>(p.session.nChan, 1));
    const int w = std::clamp(newWidth, kMinChartWidth, 32000);
    const int h = std::clamp(newHeight, minHeight, 32000);
    const int oldHeight = height(p);
    if (w == width(p) && h == oldHeight) {
        return false;
    }
    p.prefs[kPrefWindowWidth] = static_cast<int16_t>(w);
    p.prefs[kPrefWindowHeight] = static_cast<int16_t>(h);
    if (p.session.nChan > 0 && oldHeight > 60) {
        SetChanParams(p, oldHeight, 1);
    }
    return true;
}

void DRAWCHANNELS(const Program& p, Canvas& canvas) {
    for (int c = p.view.axis.FirstChan; c <= p.session.nChan; ++c) {
        drawBand(p, canvas, c);
    }
}

void DRAWSCREEN(Program& p, Canvas& canvas, int screenHeight) {
    Session& s = p.session;
    ChartAxis& a = p.view.axis;
    const int n = s.nChan;
    if (n > 0 && nv(p, n, kBandBottom) + 15 > height(p)) {
        if (nv(p, n, kBandBottom) + 15 > screenHeight) {
            SetChanParams(p, height(p), 0);
        } else {
            const int old = height(p);
            p.prefs[kPrefWindowHeight] = static_cast<int16_t>(nv(p, n, kBandBottom) - 58);
            SetChanParams(p, old, 1);
        }
    }
    const int W = width(p);
    const int H = height(p);
    // The scope modes keep channel 1's band for the scope: a new screen redraws the chart bands.
    a.FirstChan = s.RecordingMODE == 1 ? 1 : 2;
    if (s.RecordingMODE != 1) {
        setScopeGeometry(p);
    }
    s.ShowDisplays = displaysShownFor(s) ? 1 : 0;
    s.ScreenCapacity = static_cast<int16_t>(std::min(32767.0f, W * s.ChartView + 1));
    s.NscrnCASEs = 0;
    a.NewScreen = 0;
    a.LastNsCasx = 0;
    p.chart.previousColumn = -500;
    a.zz = 0.0;
    canvas.fillRect(Rect{0, 0, W, 33}, p.colours.LightGray);
    canvas.fillRect(Rect{0, 33, W, H}, p.colours.ChartBackgroundColor);
    for (int c = 1; c <= n; ++c) {
        drawBand(p, canvas, c);
    }
    COMPUTETICS(p);
    a.firsttic = a.NextTicPosition;
    DRAWTICS(p, canvas);
    DRAWTICLABELS(p, canvas);
    ScreenINFO(p, canvas);
    canvas.text(4, 28, "data capacity ", TextStyle{10, false, p.colours.DarkGray});
    drawBackupIndicator(p, canvas, backupIndicator(p));
    const ProgressLabel progress = progressLabel(p);
    const int barLeft = W >= 832 ? 650 : 471;
    const TextStyle labelStyle{9, false, p.colours.DarkGray};
    canvas.text(barLeft, 28, progress.text, labelStyle);
    if (progress.hundred) {
        canvas.text(W - 10 - 6 * kCharWidth, 28, "100% |", labelStyle);
    }
    const StatusTexts t = statusTexts(s, s.MaxSamples > 0 ? 100.0 / s.MaxSamples : 0.0);
    drawStatusField(p, canvas, 2, t.sample);
    drawStatusField(p, canvas, 3, t.done);
    drawStatusField(p, canvas, 4, t.left);
    drawProgressBar(p, canvas, 0);
    drawEndOfSampling(p, canvas, static_cast<int>(W * s.ChartView));
    canvas.flush();
}

void REDRAWSCREEN(Program& p, Canvas& canvas) {
    Session& s = p.session;
    ChartAxis& a = p.view.axis;
    const int W = width(p);
    int kept = 0;
    int moved = static_cast<int>(W * s.ChartView);
    switch (p.prefs[kPrefChartViewStyle]) {
        case 1:
            kept = static_cast<int>(W * 0.5);
            moved = static_cast<int>(W * s.ChartView * 0.5);
            break;
        case 2:
            kept = static_cast<int>(W * 0.333333);
            moved = static_cast<int>(W * s.ChartView * 0.66667);
            break;
        case 3:
            kept = static_cast<int>(W * 0.25);
            moved = static_cast<int>(W * s.ChartView * 0.75);
            break;
        default:
            break;
    }
    // Down to the window bottom: the marker labels below the time axis move with their markers
    // (or go, when nothing is kept).
    const int bottom = std::max(lastBandBottom(p) + 12, canvas.height());
    const int top = a.FirstChan == 2 && s.nChan >= 2
                        ? static_cast<int>(p.channels.Nvar[1][kBandBottom]) + 1
                        : kChartTop;
    canvas.scrollRect(Rect{0, top, W, bottom}, -(W - kept), 0, p.colours.ChartBackgroundColor);
    DRAWCHANNELS(p, canvas);
    drawEndOfSampling(p, canvas, moved);
    a.NextTicPosition += static_cast<float>(kept);
    a.firsttic = a.NextTicPosition;
    DRAWTICS(p, canvas);
    DRAWTICLABELS(p, canvas);
    ++a.NewScreen;
    s.NscrnCASEs = static_cast<int16_t>(kept * s.ChartView);
    a.LastNsCasx = kept;
    p.chart.previousColumn = static_cast<int16_t>(kept);
    canvas.flush();
}

void drawReadout(const Program& p, Canvas& canvas, int channel, std::string_view text,
                 bool alarmed) {
    const int T = bandTop(p, channel);
    const bool large = p.prefs[kPrefLargeReadouts] != 0;
    // From T + 2: row T + 1 is the frame of the band above, which the field must not erase.
    const Rect r = large ? Rect{170, T + 2, 337, T + 25} : Rect{170, T + 2, 256, T + 14};
    canvas.fillRect(r, p.colours.ChartBackgroundColor);
    canvas.text(r.left + 2, r.bottom - 2, text,
                TextStyle{large ? 18 : 10, large || alarmed,
                          alarmed ? p.colours.RGBred : p.colours.ChartDataColor});
}

void drawChannelStatus(const Program& p, Canvas& canvas, int channel, std::string_view text,
                       bool alert) {
    const int W = width(p);
    const int T = bandTop(p, channel);
    const Rect r{W - 107, T + 2, W - 2, T + 20};
    canvas.fillRect(r, alert ? p.colours.RGBred : p.colours.ChartBackgroundColor);
    canvas.text(r.left + 2, r.bottom - 5, text,
                TextStyle{10, alert, alert ? p.colours.Markwhite : p.colours.ChartFrameColor});
}

void drawSwitchingStatus(const Program& p, Canvas& canvas, int channel, std::string_view text) {
    const int W = width(p);
    const int T = bandTop(p, channel);
    const Rect r{W - 144, T + 4, W - 108, T + 15};
    canvas.fillRect(r, p.colours.ChartBackgroundColor);
    canvas.text(r.left + 1, r.bottom - 2, text, TextStyle{9, false, p.colours.ChartFrameColor});
}

void drawStatusField(const Program& p, Canvas& canvas, int field, std::string_view text) {
    static constexpr int kLeft[] = {4, 110, 212, 372};
    if (field < 2 || field > 4) {
        return;
    }
    if (field == 2 && p.session.Sample >= 1) {
        // "data capacity " stands only before the first sample.
        canvas.fillRect(Rect{0, 17, 110, 32}, p.colours.LightGray);
    }
    const Rect r{kLeft[field - 2], 0, kLeft[field - 1] - 2, 16};
    canvas.fillRect(r, p.colours.LightGray);
    canvas.text(r.left, 12, text, TextStyle{10, false, kInfoColour});
}

void drawProgressBar(const Program& p, Canvas& canvas, int segments) {
    const int W = width(p);
    const int left = W >= 832 ? 650 : 471;
    const int right = W - 10;
    if (right - left < 20) {
        return;
    }
    const Rect bar{left, 4, right, 14};
    canvas.fillRect(bar, p.colours.extremelyLightGray);
    canvas.frameRect(bar, p.colours.DarkGray);
    // The loop counts W - 10 segments; the bar shows them scaled to its own width.
    const int total = std::max(1, W - 10);
    const int filled = static_cast<int>(static_cast<int64_t>(bar.width() - 2) *
                                        std::clamp(segments, 0, total) / total);
    if (filled > 0) {
        canvas.fillRect(Rect{left + 1, 5, left + 1 + filled, 13}, p.colours.zcyan);
    }
}

void drawBackupIndicator(const Program& p, Canvas& canvas, std::string_view text) {
    const Rect r{kBackupLeft, 17, kBackupLeft + 100, 32};
    canvas.fillRect(r, p.colours.LightGray);
    const bool warn = p.session.TimedSaveINTERVAL <= 0;
    canvas.text(r.left, 28, text, TextStyle{9, warn, warn ? p.colours.RGBred : kInfoColour});
}

std::string sweepTimeText(double seconds) {
    int decimals = 0;
    if (seconds < 0.001) {
        decimals = 8;
    } else if (seconds < 0.1) {
        decimals = 6;
    } else if (seconds < 1) {
        decimals = 5;
    } else if (seconds < 10) {
        decimals = 4;
    } else if (seconds < 100) {
        decimals = 3;
    } else if (seconds < 1000) {
        decimals = 2;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, seconds);
    return text;
}

std::string screenInfoText(Program& p) {
    const Session& s = p.session;
    const int W = width(p);
    const int step = p.view.ScopeViewSTEP;
    const std::string every = "plot every" + runtimeText(step) + std::string(ordinalSuffix(step));
    if (s.RecordingMODE == 2) {
        std::string text = "Scope width:" + runtimeText(s.ScopeMax) + " samples (" +
                           sweepTimeText(s.ScopeMax * static_cast<double>(s.scopeinterval)) +
                           " sec )";
        if (W > 640 && step > 1) {
            text += "; " + every;
        }
        return text;
    }
    std::string text = "   ";
    if (s.RecordingMODE == 3) {
        text += "'tab' saves scope";
        if (W > 640 && step >= 2) {
            text += " (" + every + (W > 832 ? " Sample" : "") + ")";
        }
        text += "; " + std::to_string(s.MaxSamples) + " chart samples";
    } else {
        text += std::to_string(s.MaxSamples) + " samples";
    }
    return text + FindChartDuration(p) + "        ";
}

void ScreenINFO(Program& p, Canvas& canvas) {
    const int W = width(p);
    const std::string text = screenInfoText(p);
    const int left = p.session.RecordingMODE == 3 ? 207 : 357;
    const int right = W >= 832 ? 638 : 475;
    // From the backup indicator up to the progress bar's label, which stands under the bar.
    const int barLeft = W >= 832 ? 650 : 471;
    canvas.fillRect(
        Rect{std::max(left - 100, kBackupLeft + 101), 17, std::min(right + 100, barLeft - 2), 32},
        p.colours.LightGray);
    // About 8 pixels a character in 12 points; the trailing blanks only clear old text.
    const size_t shown = text.find_last_not_of(' ') + 1;
    const int textWidth = static_cast<int>(shown) * 8;
    const int centred = left + (right - left - textWidth) / 2;
    const int x = std::max(kBackupLeft + 101, std::min(centred, barLeft - 4 - textWidth));
    canvas.text(x, 28, text, TextStyle{12, false, kInfoColour});
}

}  // namespace trindel
