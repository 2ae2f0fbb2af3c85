#pragma once

// The splitter between the memo list and the second pane, along one axis.
// Coordinates are measured from the start of the pane area; `pos` is where
// the second pane starts, the splitter bar occupies [pos - bar, pos).
class SplitterDrag {
public:
    // Whether the cursor is over the splitter bar.
    static bool isOverBar(int coordinate, int pos, int bar) {
        return coordinate >= pos - bar && coordinate < pos;
    }

    // Starts a drag at the cursor coordinate (which is over the bar).
    void begin(int coordinate, int pos, int bar) {
        m_active = true;
        m_bar = bar;
        m_grab = bar - pos + coordinate;
    }
    bool isActive() const { return m_active; }
    void cancel() { m_active = false; }

    // Where the drag bar starts for the cursor coordinate: it stays 8 pixels
    // from the start of the area and 8 pixels plus its thickness from the end.
    int barStart(int coordinate, int length) const;
    // Ends the drag; returns the new splitter position.
    int finish(int coordinate, int length);

private:
    bool m_active = false;
    int m_bar = 0;
    int m_grab = 0;
};
