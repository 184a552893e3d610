#pragma once
// The speed graph of the progress window's details: the copy's speed over time as
// a filled curve, scaled so the highest speed seen reaches near the top.

#include <QWidget>
#include <vector>

namespace shell {

class ProgressGraph : public QWidget {
    Q_OBJECT
public:
    explicit ProgressGraph(QWidget* parent = nullptr);

    void setSamples(std::vector<double> bytesPerSecond);
    [[nodiscard]] const std::vector<double>& samples() const { return m_samples; }

    [[nodiscard]] QSize sizeHint() const override { return {380, 80}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> m_samples;
};

} // namespace shell
