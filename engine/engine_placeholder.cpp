// Replaced as the engine grows.
