/* Counts the refreshes of the running program, one per frame of the star field, without changing
 * the program: preloaded, it stands in front of Qt's QWidget::repaint(const QRect&), which the
 * program calls for its refresh alone (Qt's own calls stay inside Qt's library). The count lives in
 * the file named by SKARNHOLM_FRAME_COUNTER, mapped into memory, so reading it costs the program
 * nothing. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

typedef void (*RepaintRect)(void* widget, const void* rect);

static volatile uint64_t* frames;
static RepaintRect repaint;

__attribute__((constructor)) static void open_counter(void)
{
    repaint = (RepaintRect)dlsym(RTLD_NEXT, "_ZN7QWidget7repaintERK5QRect");
    const char* path = getenv("SKARNHOLM_FRAME_COUNTER");
    if (!path)
        return;
    int fd = open(path, O_RDWR | O_CREAT, 0644);
    if (fd < 0)
        return;
    if (ftruncate(fd, sizeof *frames) == 0) {
        void* counter = mmap(NULL, sizeof *frames, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (counter != MAP_FAILED)
            frames = counter;
    }
    close(fd);
}

void _ZN7QWidget7repaintERK5QRect(void* widget, const void* rect)
{
    if (frames)
        ++*frames;
    repaint(widget, rect);
}
