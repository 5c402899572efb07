// Process-time snapshots and the reports made from them.
#include "qvutil/qvtimes.h"

#include <unistd.h>

#include "qvutil/qvtimes_format.h"
#include "qvutil/qvutil.h"

struct tms *t_init = nullptr, *t_last = nullptr, *t_new = nullptr;
clock_t init_times = 0, last_times = 0, new_times = 0;

// A returned text is first formatted into a block of this size; the longest
// report with ordinary values fits in it.
static const int text_capacity = 200;

// Seconds of one report; [0] since last, [1] since first.
struct timevalues {
    double user[2], sys[2], process[2];
    double child_user[2], child_sys[2], children[2];
    double total[2], elapsed[2];
};

double QVtickseconds(clock_t ticks, long rate)
{
    return static_cast<double>(static_cast<float>(ticks) / static_cast<float>(rate));
}

// Sums are taken in ticks before the subtraction, so that each value is
// rounded once.
static struct timevalues values_of(const struct timereport *report)
{
    struct timevalues values;
    const struct tms *now = report->now;
    const struct tms *base[2] = {report->last, report->first};
    const clock_t base_ticks[2] = {report->last_ticks, report->first_ticks};
    long rate = report->rate;
    for (int i = 0; i < 2; ++i) {
        const struct tms *then = base[i];
        clock_t process_now = now->tms_utime + now->tms_stime;
        clock_t process_then = then->tms_utime + then->tms_stime;
        clock_t children_now = now->tms_cutime + now->tms_cstime;
        clock_t children_then = then->tms_cutime + then->tms_cstime;
        values.user[i] = QVtickseconds(now->tms_utime - then->tms_utime, rate);
        values.sys[i] = QVtickseconds(now->tms_stime - then->tms_stime, rate);
        values.process[i] = QVtickseconds(process_now - process_then, rate);
        values.child_user[i] = QVtickseconds(now->tms_cutime - then->tms_cutime, rate);
        values.child_sys[i] = QVtickseconds(now->tms_cstime - then->tms_cstime, rate);
        values.children[i] = QVtickseconds(children_now - children_then, rate);
        values.total[i] = QVtickseconds((process_now + children_now) - (process_then + children_then), rate);
        values.elapsed[i] = QVtickseconds(report->now_ticks - base_ticks[i], rate);
    }
    return values;
}

void QVprinttimes(FILE *out, int type, const struct timereport *report)
{
    struct timevalues v = values_of(report);
    switch (type) {
    case 0:
        fprintf(out, "Elapsed time: %6.2f\n", v.elapsed[0]);
        break;
    case 1:
        fprintf(out, "CPU(P%7.1f%7.1f)(C%7.1f%7.1f)(T%7.1f%7.1f)(E%7.1f%7.1f)\n", v.process[0], v.process[1],
                v.children[0], v.children[1], v.total[0], v.total[1], v.elapsed[0], v.elapsed[1]);
        break;
    case 2:
        fprintf(out, "         %7s:%7s:%7s|%7s:%7s:%7s:%7s:%7s\n", "user", "sys", "total", "c user", "c sys",
                "ctotal", "el/tcpu", "cum");
        fprintf(out, "Master  :%7.1f:%7.1f:%7.1f|%7.1f:%7.1f:%7.1f|%7.1f:%7.1f\n", v.user[0], v.sys[0],
                v.process[0], v.user[1], v.sys[1], v.process[1], v.elapsed[0], v.elapsed[1]);
        fprintf(out, "Children:%7.1f:%7.1f:%7.1f|%7.1f:%7.1f:%7.1f|%7.1f:%7.1f\n", v.child_user[0],
                v.child_sys[0], v.children[0], v.child_user[1], v.child_sys[1], v.children[1], v.total[0],
                v.total[1]);
        break;
    case 3:
        fprintf(out, "Cum CPU Time: Parent: %7.1f Child: %7.1f Total: %7.1f Elapsed: %7.1f\n", v.process[1],
                v.children[1], v.total[1], v.elapsed[1]);
        break;
    default:
        break;
    }
}

// Formats as much of the text as fits in size bytes (always terminated when
// size is at least 1) and returns the length of the whole text.
static int format_text(char *buffer, size_t size, int type, const struct timevalues *v)
{
    int length;
    switch (type) {
    case 0:
        length = snprintf(buffer, size, "%7.1f", v->elapsed[0]);
        break;
    case 1:
        length = snprintf(buffer, size, "%7.1f %7.1f %7.1f %7.1f", v->process[0], v->process[1], v->elapsed[0],
                          v->elapsed[1]);
        break;
    case 2:
        length = snprintf(buffer, size,
                          "%7.1f %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f "
                          "%7.1f %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f",
                          v->user[0], v->sys[0], v->process[0], v->user[1], v->sys[1], v->process[1],
                          v->elapsed[0], v->elapsed[1], v->child_user[0], v->child_sys[0], v->children[0],
                          v->child_user[1], v->child_sys[1], v->children[1], v->total[0], v->total[1]);
        break;
    case 3:
        length = snprintf(buffer, size, "%7.1f %7.1f %7.1f %7.1f", v->process[1], v->children[1], v->total[1],
                          v->elapsed[1]);
        break;
    default:
        length = 0;
        break;
    }
    // No conversion here can fail, but a failed one must not leave the
    // buffer unterminated or its length negative.
    if (length <= 0) {
        length = 0;
        buffer[0] = '\0';
    }
    return length;
}

char *QVformattimes(int type, const struct timereport *report, int capacity)
{
    struct timevalues v = values_of(report);
    if (capacity < 1)
        capacity = 1;
    char *text = static_cast<char *>(QVmalloc(capacity));
    int length = format_text(text, capacity, type, &v);
    // A field wider than usual makes the text longer than the block: the
    // block grows and the text is formatted again, whole.
    if (length >= capacity) {
        text = static_cast<char *>(QVrealloc(text, length + 1));
        format_text(text, length + 1, type, &v);
    }
    return static_cast<char *>(QVrealloc(text, length + 1));
}

void copy_tms(struct tms *to, const struct tms *from)
{
    to->tms_utime = from->tms_utime;
    to->tms_stime = from->tms_stime;
    to->tms_cutime = from->tms_cutime;
    to->tms_cstime = from->tms_cstime;
}

void QV_init_times()
{
    if (t_init != nullptr)
        return;
    t_init = static_cast<struct tms *>(QVmalloc(sizeof(struct tms)));
    t_new = static_cast<struct tms *>(QVmalloc(sizeof(struct tms)));
    t_last = static_cast<struct tms *>(QVmalloc(sizeof(struct tms)));
    init_times = times(t_init);
    new_times = init_times;
    last_times = init_times;
    copy_tms(t_last, t_init);
    copy_tms(t_new, t_init);
}

// Takes the snapshot of a report in progress and says what it compares.
static struct timereport take_snapshot()
{
    new_times = times(t_new);
    struct timereport report = {t_new, t_last, t_init, new_times, last_times, init_times, sysconf(_SC_CLK_TCK)};
    return report;
}

// Every report, whatever it showed, is the base of the next "since last".
static void keep_as_last()
{
    copy_tms(t_last, t_new);
    last_times = new_times;
}

void QV_show_times(FILE *out, int type)
{
    if (t_init == nullptr)
        return;
    struct timereport report = take_snapshot();
    QVprinttimes(out, type, &report);
    keep_as_last();
}

char *QV_get_times(int type)
{
    if (t_init == nullptr)
        return QVstrcreate(1);
    struct timereport report = take_snapshot();
    char *text = QVformattimes(type, &report, text_capacity);
    keep_as_last();
    return text;
}

void QV_reset_times()
{
    if (t_init != nullptr) {
        QVfree(t_init);
        t_init = nullptr;
    }
    if (t_new != nullptr) {
        QVfree(t_new);
        t_new = nullptr;
    }
    if (t_last != nullptr) {
        QVfree(t_last);
        t_last = nullptr;
    }
}
