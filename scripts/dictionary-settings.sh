# The settings of the dictionary's frequency choice and of the context model, sourced by
# scripts/make-dictionary.sh, which ships them, and scripts/measure-dictionary.sh, which measures
# them. Chosen on a part of the corpus kept apart from both the counts and the held-out
# measurement (scripts/measure-dictionary.sh --tune and --tune-context; docs/dictionary.md,
# docs/context.md).
dictionary_choice=(--margin 2 --plain-margin 2 --min-count 3 --rank-weight 0.3 --smoothing 0)
# The ñ and ü settings are not tuned (the tune texts hold too few such words to tell them apart);
# the rest of the context model's are.
context_marks=(--mark-threshold 4 --unwritten-gap 2)
context_choice=(--smoothing 0.5 --accent-threshold 8 --plain-threshold 1 "${context_marks[@]}")
