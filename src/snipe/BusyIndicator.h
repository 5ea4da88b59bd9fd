#pragma once

class QLabel;
class StarFrames;

// Drives the picture box picSnipe from the 175 ms tick: while the shown pane loads it cycles
// frames 1-7 of the list that fits the button-text option; when idle it shows frame 8, and
// only when another picture is up, so an idle tick repaints nothing.
class BusyIndicator
{
public:
    BusyIndicator(QLabel &picture, const StarFrames &frames);

    // One tick of the timer: advances the frame counter (busy or not), then shows a picture.
    void tick(bool paneBusy, bool largeFrames);
    // The resting picture of the large list, as the main window shows it at load.
    void showResting();

private:
    QLabel &m_picture;
    const StarFrames &m_frames;
    int m_counter = 0;
};
