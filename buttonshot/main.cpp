// buttonshot: renders one button through the painter into a PNG, for inspecting
// and showing the looks. Needs no display.

#include "ShotHost.h"
#include "ShotOptions.h"

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/Picture.h"
#include "platform/gdi/SysColors.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>

namespace {

// Windows font names a Linux machine usually lacks get a stand-in of similar build.
QFont captionFont(const buttonshot::ShotOptions& o)
{
    QString family = o.font;
    const QStringList families = QFontDatabase::families();
    if (!families.contains(family, Qt::CaseInsensitive)) {
        for (const char* fallback : {"Liberation Sans", "DejaVu Sans"})
            if (families.contains(QString::fromLatin1(fallback), Qt::CaseInsensitive)) {
                family = QString::fromLatin1(fallback);
                break;
            }
    }
    QFont font(family);
    font.setPointSizeF(o.fontSize);
    font.setBold(o.bold);
    return font;
}

bool loadPicture(const QString& path, gdi::PicturePtr* out)
{
    if (path.isEmpty())
        return true;
    *out = gdi::Picture::load(path);
    if (!*out) {
        std::fprintf(stderr, "buttonshot: cannot read picture %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString error;
    const auto parsed = buttonshot::parseShotOptions(QCoreApplication::arguments(), &error);
    if (!parsed) {
        const bool help = error.startsWith(QLatin1String("Usage"));
        std::fprintf(help ? stdout : stderr, "%s%s\n", help ? "" : "buttonshot: ", qPrintable(error));
        return help ? 0 : 2;
    }
    const buttonshot::ShotOptions& o = *parsed;

    gdi::setSysColorSource(gdi::SysColorSource::Classic);

    vb::ButtonState s;
    s.m_ButtonType = o.type;
    s.m_ColorScheme = o.scheme;
    s.m_BackColor = o.back;
    s.m_BackOver = o.backOver;
    s.m_ForeColor = o.fore;
    s.m_ForeOver = o.foreOver;
    s.m_MaskColor = o.mask;
    s.m_UseMaskColor = !o.noMask;
    s.m_UseGreyscale = o.greyscale;
    s.m_SoftBevel = o.soft;
    s.m_SpecialEffect = o.effect;
    s.m_Caption = o.caption;
    s.m_PicturePosition = o.picturePosition;
    s.m_CheckBoxBehaviour = o.check;
    s.m_Value = o.value;
    s.m_Enabled = o.state != QLatin1String("disabled");
    s.m_ShowFocusRect = true;
    s.m_HasFocus = o.focus;
    s.m_IsHot = o.hot;
    if (!loadPicture(o.picture, &s.m_PictureNormal) || !loadPicture(o.pictureOver, &s.m_PictureOver))
        return 1;

    buttonshot::ShotHost host(s, captionFont(o), o.isDefault, o.parentColor);
    host.resizeAndShow(o.width, o.height, o.scale);
    vb::Redraw(s, host, o.state == QLatin1String("down") ? vb::dsDown : vb::dsUp, true);

    if (!host.surface().image().save(o.out, "PNG")) {
        std::fprintf(stderr, "buttonshot: cannot write %s\n", qPrintable(o.out));
        return 1;
    }
    return 0;
}
