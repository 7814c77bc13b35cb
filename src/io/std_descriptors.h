// Keeping the standard descriptors out of the image file's way.
#ifndef TOLLIVEX_IO_STD_DESCRIPTORS_H_
#define TOLLIVEX_IO_STD_DESCRIPTORS_H_

// Opens /dev/null on any of descriptors 0, 1 and 2 that the caller left
// closed.  Otherwise the image file would be opened on the lowest free one
// and the progress line or a message, written to that stream, would land
// inside the image.  Returns whether standard output was closed.
bool reserveStandardDescriptors();

#endif  // TOLLIVEX_IO_STD_DESCRIPTORS_H_
