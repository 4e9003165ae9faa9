namespace telvarin { int programPlaceholder() { return 0; } }
