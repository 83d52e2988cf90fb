// Replaced as the ruby window grows.
