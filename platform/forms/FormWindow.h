#pragma once
// The top-level widget of a loaded Form: turns every close request (close box,
// system menu, Alt+F4, QWidget::close) into the form's unload with its question.

#include <QWidget>

#include <functional>

namespace forms {

class FormWindow : public QWidget {
    Q_OBJECT
public:
    // `requestClose` returns true when the form has unloaded.
    explicit FormWindow(std::function<bool()> requestClose);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<bool()> m_requestClose;
};

} // namespace forms
