#pragma once

namespace ovantis {

// A moment on the local clock, as an event's line shows it.
struct LocalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    // Ahead of UTC, in minutes.
    int offsetMinutes = 0;
};

}  // namespace ovantis
