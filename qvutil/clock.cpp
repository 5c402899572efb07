// The utility library's clock: the process-time reports of qvtimes under
// their start and stop names, and the local time as text.
#include "qvutil/qvutil.h"

#include <ctime>

#include "qvutil/qvtimes.h"

void QV_start_clock()
{
    QV_init_times();
}

void QV_stop_clock(FILE *out)
{
    QV_show_times(out, 3);
    QV_reset_times();
}

char *QVlocaltime()
{
    time_t now = time(nullptr);
    return asctime(localtime(&now));
}
