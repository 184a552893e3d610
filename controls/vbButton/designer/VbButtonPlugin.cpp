#include "VbButtonPlugin.h"

#include <quintaro/vbButton.h>

#include <QIcon>

QString VbButtonPlugin::name() const
{
    return QStringLiteral("quintaro::vbButton");
}

QString VbButtonPlugin::group() const
{
    return QStringLiteral("Quintaro");
}

QString VbButtonPlugin::toolTip() const
{
    return QStringLiteral("vbButton: owner-drawn push button with fourteen looks");
}

QString VbButtonPlugin::whatsThis() const
{
    return QStringLiteral("An owner-drawn push button. Pick its look with ButtonType, its palette "
                          "with ColorScheme, and add a picture with PictureNormal.");
}

QString VbButtonPlugin::includeFile() const
{
    return QStringLiteral("quintaro/vbButton.h");
}

QIcon VbButtonPlugin::icon() const
{
    return QIcon(QStringLiteral(":/quintaro/designer/vbbutton.png"));
}

QWidget* VbButtonPlugin::createWidget(QWidget* parent)
{
    auto* button = new quintaro::vbButton(parent);
    button->setDesignMode(m_inDesigner);
    return button;
}

void VbButtonPlugin::initialize(QDesignerFormEditorInterface* core)
{
    m_initialized = true;
    m_inDesigner = core != nullptr;
}

QString VbButtonPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++">
 <widget class="quintaro::vbButton" name="vbButton">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>97</width><height>33</height></rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>quintaro::vbButton</class>
   <extends>QWidget</extends>
   <header>quintaro/vbButton.h</header>
  </customwidget>
 </customwidgets>
</ui>
)");
}
