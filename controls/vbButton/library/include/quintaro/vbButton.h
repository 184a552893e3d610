#pragma once
// vbButton: the owner-drawn push button of Quintaro, for any Qt Widgets program.
//
//   find_package(QuintaroButton REQUIRED)
//   target_link_libraries(app PRIVATE Quintaro::vbButton)
//   #include <quintaro/vbButton.h>
//
// The button is this one widget: Quintaro's own windows, its Designer plugin and
// other programs all use it. Every property is a Qt property under its own name
// (ButtonType, Caption, BackColor, ...), so Qt Designer, QUiLoader, style sheets
// and setProperty() reach it; setting one through setProperty() runs the same
// code as the C++ setter. Each NOTIFY signal fires when the property's value has
// changed, by a setter, a loaded set or a click (Value in check-box mode).
// Colours are OLE colours: 0x00BBGGRR, or 0x80000000 | index for a system
// colour (0x8000000F is the button face).
//
// A new button starts with the defaults of a new instance (caption "vbButton",
// ButtonType btStandard, ColorScheme csSystem). load() applies a saved
// property set instead, save() returns it.

#include <quintaro/vbButtonExport.h>
#include <quintaro/vbButtonTypes.h>

#include <QFont>
#include <QJsonObject>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>

namespace quintaro {

class vbButtonPrivate;

class QUINTARO_VBBUTTON_EXPORT vbButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(uint BackOver READ BackOver WRITE setBackOver NOTIFY BackOverChanged)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor NOTIFY ForeColorChanged)
    Q_PROPERTY(uint ForeOver READ ForeOver WRITE setForeOver NOTIFY ForeOverChanged)
    Q_PROPERTY(uint MaskColor READ MaskColor WRITE setMaskColor NOTIFY MaskColorChanged)
    Q_PROPERTY(quintaro::ButtonType ButtonType READ ButtonType WRITE setButtonType NOTIFY ButtonTypeChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY CaptionChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled NOTIFY EnabledChanged)
    Q_PROPERTY(QFont Font READ Font WRITE setFont NOTIFY FontChanged)
    // The parts of Font; Designer edits them through Font.
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold NOTIFY FontChanged DESIGNABLE false STORED false)
    Q_PROPERTY(
        bool FontItalic READ FontItalic WRITE setFontItalic NOTIFY FontChanged DESIGNABLE false STORED false)
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE setFontUnderline NOTIFY FontChanged
                   DESIGNABLE false STORED false)
    Q_PROPERTY(int FontSize READ FontSize WRITE setFontSize NOTIFY FontChanged DESIGNABLE false STORED false)
    Q_PROPERTY(
        QString FontName READ FontName WRITE setFontName NOTIFY FontChanged DESIGNABLE false STORED false)
    Q_PROPERTY(
        quintaro::ColorScheme ColorScheme READ ColorScheme WRITE setColorScheme NOTIFY ColorSchemeChanged)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect NOTIFY ShowFocusRectChanged)
    Q_PROPERTY(quintaro::MousePointer MousePointer READ MousePointer WRITE setMousePointer NOTIFY
                   MousePointerChanged)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon NOTIFY MouseIconChanged)
    Q_PROPERTY(bool HandPointer READ HandPointer WRITE setHandPointer NOTIFY HandPointerChanged)
    Q_PROPERTY(int hwnd READ hwnd CONSTANT DESIGNABLE false STORED false)
    Q_PROPERTY(bool SoftBevel READ SoftBevel WRITE setSoftBevel NOTIFY SoftBevelChanged)
    Q_PROPERTY(QPixmap PictureNormal READ PictureNormal WRITE setPictureNormal NOTIFY PictureNormalChanged)
    Q_PROPERTY(QPixmap PictureOver READ PictureOver WRITE setPictureOver NOTIFY PictureOverChanged)
    Q_PROPERTY(quintaro::PicturePosition PicturePosition READ PicturePosition WRITE setPicturePosition NOTIFY
                   PicturePositionChanged)
    Q_PROPERTY(bool UseMaskColor READ UseMaskColor WRITE setUseMaskColor NOTIFY UseMaskColorChanged)
    Q_PROPERTY(bool UseGreyscale READ UseGreyscale WRITE setUseGreyscale NOTIFY UseGreyscaleChanged)
    Q_PROPERTY(quintaro::SpecialEffect SpecialEffect READ SpecialEffect WRITE setSpecialEffect NOTIFY
                   SpecialEffectChanged)
    Q_PROPERTY(bool CheckBoxBehaviour READ CheckBoxBehaviour WRITE setCheckBoxBehaviour NOTIFY
                   CheckBoxBehaviourChanged)
    Q_PROPERTY(bool Value READ Value WRITE setValue NOTIFY ValueChanged)
    Q_PROPERTY(QString Version READ Version CONSTANT DESIGNABLE false STORED false)

public:
    explicit vbButton(QWidget* parent = nullptr);
    ~vbButton() override;

    [[nodiscard]] uint BackColor() const;
    void setBackColor(uint value);
    [[nodiscard]] uint BackOver() const;
    void setBackOver(uint value);
    [[nodiscard]] uint ForeColor() const;
    void setForeColor(uint value);
    [[nodiscard]] uint ForeOver() const;
    void setForeOver(uint value);
    [[nodiscard]] uint MaskColor() const;
    void setMaskColor(uint value);
    [[nodiscard]] quintaro::ButtonType ButtonType() const;
    void setButtonType(quintaro::ButtonType value);
    [[nodiscard]] QString Caption() const;
    void setCaption(const QString& value);
    // Written with QWidget::setEnabled: the widget's own enabled state is the property.
    [[nodiscard]] bool Enabled() const;
    [[nodiscard]] QFont Font() const;
    void setFont(const QFont& value);
    [[nodiscard]] bool FontBold() const;
    void setFontBold(bool value);
    [[nodiscard]] bool FontItalic() const;
    void setFontItalic(bool value);
    [[nodiscard]] bool FontUnderline() const;
    void setFontUnderline(bool value);
    [[nodiscard]] int FontSize() const; // whole points, halves to even
    void setFontSize(int value); // sizes of 0 or less, or beyond 16 bits, are refused
    [[nodiscard]] QString FontName() const;
    void setFontName(const QString& value);
    [[nodiscard]] quintaro::ColorScheme ColorScheme() const;
    void setColorScheme(quintaro::ColorScheme value);
    [[nodiscard]] bool ShowFocusRect() const;
    void setShowFocusRect(bool value);
    [[nodiscard]] quintaro::MousePointer MousePointer() const;
    // False, changing nothing, for a pointer code the button cannot show.
    bool setMousePointer(quintaro::MousePointer value);
    [[nodiscard]] QPixmap MouseIcon() const;
    void setMouseIcon(const QPixmap& value);
    [[nodiscard]] bool HandPointer() const;
    void setHandPointer(bool value);
    [[nodiscard]] int hwnd() const;
    [[nodiscard]] bool SoftBevel() const;
    void setSoftBevel(bool value);
    [[nodiscard]] QPixmap PictureNormal() const;
    void setPictureNormal(const QPixmap& value);
    [[nodiscard]] QPixmap PictureOver() const;
    void setPictureOver(const QPixmap& value);
    [[nodiscard]] quintaro::PicturePosition PicturePosition() const;
    void setPicturePosition(quintaro::PicturePosition value);
    [[nodiscard]] bool UseMaskColor() const;
    void setUseMaskColor(bool value);
    [[nodiscard]] bool UseGreyscale() const;
    void setUseGreyscale(bool value);
    [[nodiscard]] quintaro::SpecialEffect SpecialEffect() const;
    void setSpecialEffect(quintaro::SpecialEffect value);
    [[nodiscard]] bool CheckBoxBehaviour() const;
    void setCheckBoxBehaviour(bool value);
    [[nodiscard]] bool Value() const;
    void setValue(bool value);
    [[nodiscard]] static QString Version();

    // Drawing stops until Refresh(), which recomputes colours and layout and draws once.
    void DisableRefresh();
    void Refresh();

    // The saved property set: 23 entries, keys matched without regard to case,
    // booleans as -1 and 0, colours as signed 32-bit numbers, the font as
    // {"name", "size", "bold", "italic", "underline", "strikethrough"} and
    // pictures as {"type": "bitmap" | "icon", "png": base64}. Keys missing
    // from a loaded set take their defaults.
    void load(const QJsonObject& properties);
    [[nodiscard]] QJsonObject save() const;
    // Back to the defaults of a new instance, captioned with `displayName`.
    void initNew(const QString& displayName = QStringLiteral("vbButton"));

    // Design mode, as a form designer shows the button: no hover tracking and
    // no input, and BackColor, ForeColor and ButtonType btFlat change their
    // companions (BackOver, ForeOver, a bold font) as well.
    void setDesignMode(bool design);
    [[nodiscard]] bool designMode() const;

    // The window's default button: drawn with the default look.
    void setDefaultLook(bool isDefault);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

signals:
    // The button's events. Arguments go by reference: with a direct connection,
    // what a slot leaves in them is what the button goes on with.
    void Click();
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);
    void KeyPress(short& KeyAscii);
    void KeyDown(short& KeyCode, short& Shift);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseOver();
    void MouseOut();

    void BackColorChanged();
    void BackOverChanged();
    void ForeColorChanged();
    void ForeOverChanged();
    void MaskColorChanged();
    void ButtonTypeChanged();
    void CaptionChanged();
    void EnabledChanged();
    void FontChanged();
    void ColorSchemeChanged();
    void ShowFocusRectChanged();
    void MousePointerChanged();
    void MouseIconChanged();
    void HandPointerChanged();
    void SoftBevelChanged();
    void PictureNormalChanged();
    void PictureOverChanged();
    void PicturePositionChanged();
    void UseMaskColorChanged();
    void UseGreyscaleChanged();
    void SpecialEffectChanged();
    void CheckBoxBehaviourChanged();
    void ValueChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Q_DISABLE_COPY(vbButton)
    Q_DECLARE_PRIVATE(vbButton)
    std::unique_ptr<vbButtonPrivate> d_ptr;
};

} // namespace quintaro
