#include "apps/tarsel-host/PropertyPanel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarsel_host {

PropertyPanel::PropertyPanel(const PluginHost& plugins, QWidget* parent)
    : QWidget(parent), m_plugins(plugins) {
    auto* layout = new QVBoxLayout(this);
    auto* object = new QGroupBox("Object", this);
    auto* form = new QFormLayout(object);
    m_name = new QLabel(object);
    m_class = new QLabel(object);
    m_position = new QLabel(object);
    m_size = new QLabel(object);
    form->addRow("Name:", m_name);
    form->addRow("Class:", m_class);
    form->addRow("Position:", m_position);
    form->addRow("Size:", m_size);
    layout->addWidget(object);

    auto* group = new QGroupBox("Plug-in properties", this);
    m_propertyRows = new QVBoxLayout(group);
    m_properties = group;
    layout->addWidget(group);
    layout->addStretch(1);
    setMinimumWidth(220);
    Show(nullptr);
}

void PropertyPanel::Refresh(const SceneItem* item) {
    m_name->setText(item ? QString::fromStdString(item->Name()) : QString("(nothing selected)"));
    m_class->setText(item ? kClass2DObject : "");
    m_position->setText(item ? QString("%1, %2").arg(item->Position().x()).arg(item->Position().y())
                             : QString());
    m_size->setText(item ? QString("%1 x %2").arg(item->Size().width()).arg(item->Size().height())
                         : QString());
}

void PropertyPanel::Show(const SceneItem* item) {
    Refresh(item);

    while (QLayoutItem* row = m_propertyRows->takeAt(0)) {
        if (QWidget* widget = row->widget()) widget->deleteLater();
        delete row;
    }
    const auto properties =
        item ? m_plugins.PropertiesFor(kClass2DObject) : std::vector<PluginProperty>();
    for (const PluginProperty& property : properties) {
        auto* row = new QWidget(m_properties);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(new QLabel(
            QString::fromStdString(property.pluginName + ": " + property.propertyName), row));
        line->addStretch(1);
        if (const PluginEditor* editor = m_plugins.EditorFor(property.pluginName, kClass2DObject)) {
            auto* button = new QPushButton("Edit...", row);
            button->setObjectName(QString::fromStdString("edit:" + property.pluginName));
            const PluginEditor chosen = *editor;
            QObject::connect(button, &QPushButton::clicked, row, [this, chosen] {
                if (onEdit) onEdit(chosen);
            });
            line->addWidget(button);
        }
        m_propertyRows->addWidget(row);
    }
    m_properties->setVisible(!properties.empty());
}

}  // namespace tarsel_host
