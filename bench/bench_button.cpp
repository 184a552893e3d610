// Speed of the button painter: a full redraw of the program's own button look
// (also at a device pixel ratio of 2),
// the redraw that has nothing to do (what hover tracking pays on every move), and
// one picture transfer.

#include "controls/vbButton/BlitPicture.h"
#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

class BenchHost : public vb::ButtonHost {
public:
    explicit BenchHost(vb::ButtonState& s) : m_state(s)
    {
        m_font = QFont(QStringLiteral("Liberation Sans"));
        m_font.setPointSizeF(8.25);
        m_font.setBold(true);
        m_dc.selectFont(m_font);
    }
    gdi::Dc& surfaceDc() override { return m_dc; }
    void clearSurface() override { m_surface.fill(0xC0C0C0); }
    bool displayAsDefault() const override { return false; }
    bool fontBold() const override { return m_font.bold(); }
    void setFontBold(bool bold) override
    {
        m_font.setBold(bold);
        m_dc.selectFont(m_font);
        vb::CalcCaptionRect(m_state, *this);
    }
    gdi::ColorRef parentBackColor() const override { return 0xC0C0C0; }
    gdi::ColorRef parentTextColor() const override { return 0; }
    gdi::Point positionOnParent() const override { return {}; }
    void copyFromParent(gdi::Surface&, int, int, int, int) override {}

    void resize(int w, int h, double scale)
    {
        m_surface.resize(w, h, 0, scale);
        m_dc.selectFont(m_font);
    }
    gdi::Surface m_surface;

private:
    vb::ButtonState& m_state;
    gdi::Dc m_dc{m_surface};
    QFont m_font;
};

// The main window's "&Copy File..." button: btRoundGradient, 75 x 23, system colours.
// At `scale` device pixels per pixel, as on a scaled screen.
struct Button {
    explicit Button(double scale = 1.0)
    {
        gdi::setSysColorSource(gdi::SysColorSource::Classic);
        s.m_ButtonType = vb::btRoundGradient;
        s.m_ColorScheme = vb::csSystem;
        s.m_Enabled = true;
        s.m_ShowFocusRect = true;
        s.m_UseMaskColor = true;
        s.m_MaskColor = 0xC0C0C0;
        s.m_Caption = QStringLiteral("&Copy File...");
        host.resize(75, 23, scale);
        s.m_Width = 75;
        s.m_Height = 23;
        s.m_FaceRect = {4, 4, 71, 19};
        vb::CalcCaptionRect(s, host);
        vb::MakeShape(s);
        s.m_RedrawEnabled = true;
        vb::LoadColors(s, host);
    }
    vb::ButtonState s;
    BenchHost host{s};
};

void BM_RedrawRoundGradient(benchmark::State& state)
{
    Button b;
    for (auto _ : state) {
        vb::Redraw(b.s, b.host, vb::dsUp, true);
        benchmark::DoNotOptimize(b.host.m_surface.pixel(1, 1));
    }
}
BENCHMARK(BM_RedrawRoundGradient);

// The same redraw on a screen at 200%: four times the device pixels, the caption
// drawn in a font twice the size.
void BM_RedrawRoundGradient2x(benchmark::State& state)
{
    Button b(2.0);
    for (auto _ : state) {
        vb::Redraw(b.s, b.host, vb::dsUp, true);
        benchmark::DoNotOptimize(b.host.m_surface.pixel(1, 1));
    }
}
BENCHMARK(BM_RedrawRoundGradient2x);

void BM_RedrawRoundGradientHot(benchmark::State& state)
{
    Button b;
    b.s.m_IsHot = true;
    for (auto _ : state) {
        vb::Redraw(b.s, b.host, vb::dsUp, true);
        benchmark::DoNotOptimize(b.host.m_surface.pixel(1, 1));
    }
}
BENCHMARK(BM_RedrawRoundGradientHot);

void BM_RedrawSkipped(benchmark::State& state)
{
    Button b;
    vb::Redraw(b.s, b.host, vb::dsUp, true);
    for (auto _ : state) {
        vb::Redraw(b.s, b.host, vb::dsUp, false);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RedrawSkipped);

void BM_BlitPicture32(benchmark::State& state)
{
    vb::ButtonState s;
    s.m_UseMaskColor = true;
    s.m_MaskColorRGB = 0xC0C0C0;
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, (x + y) % 5 == 0 ? 0xFFC0C0C0 : qRgb(x * 8, y * 8, 128));
    const gdi::PicturePtr picture = gdi::Picture::fromImage(image, gdi::Picture::Type::Bitmap);
    gdi::Surface surface(75, 40, 0xC0C0C0);
    gdi::Dc dc(surface);
    for (auto _ : state) {
        vb::BlitPicture(s, dc, 20, 4, 32, 32, *picture, 0xC0C0C0, vb::kNoFill, false, false, false);
        benchmark::DoNotOptimize(surface.pixel(21, 5));
    }
}
BENCHMARK(BM_BlitPicture32);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
