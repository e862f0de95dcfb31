// Start-up and the choice of database: the path derived from the server's
// service entry when the window is created, or picked with "...".
#pragma once

// The database path for a service image path: the first two backslash-
// separated pieces + "\config\quillnode.db". A quoted path (as Windows
// writes paths with blanks) is first cut to the text between the quotes.
// Null (no path) when the image path is empty or has fewer than two pieces.
char* DatabasePathFromImagePath(const char* imagePath);
