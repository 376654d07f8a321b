// Placeholder until the image stand-in is built.
