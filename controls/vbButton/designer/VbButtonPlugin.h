#pragma once
// Qt Designer's entry for quintaro::vbButton: the widget box item (icon,
// tooltip, include file) and the factory. On a Designer form the button runs
// in design mode; QUiLoader uses the same factory for run mode.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class VbButtonPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    explicit VbButtonPlugin(QObject* parent = nullptr) : QObject(parent) {}

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return m_initialized; }
    // Designer hands its core here; a form loader never calls it (or gives none).
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    bool m_initialized = false;
    bool m_inDesigner = false;
};
