# target_sources(...) and tests are added here as this part is built
