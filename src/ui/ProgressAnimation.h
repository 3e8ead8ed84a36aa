// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

// A small looping picture of a magnifying glass searching a folder of pages, played by a timer
// of its own: the page is built on a worker thread, so the window keeps drawing meanwhile.
class ProgressAnimation : public QWidget {
    Q_OBJECT

public:
    static constexpr int FrameCount = 23;

    explicit ProgressAnimation(QWidget* parent = nullptr);

    void Start();
    bool IsPlaying() const { return timer_.isActive(); }
    int Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawFolder(QPainter& painter) const;
    void DrawGlass(QPainter& painter) const;

    QTimer timer_;
    int frame_ = 0;
};
