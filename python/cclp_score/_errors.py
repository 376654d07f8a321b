"""The exceptions the libraries' failures raise."""


class _StatusError(ValueError):
    def __init__(self, message, status="", code=0):
        super().__init__(message)
        self.status = status
        self.code = code


class ScoreError(_StatusError):
    """A value the scoring module refused; a ``ValueError``.

    Raised when a scoring function, a method or a run is built from values
    the library does not accept. The message names the C function and the
    status.

    Attributes
    ----------
    status : str
        The library's status name, e.g. ``"CCLP_STATUS_Y0_BELOW_Y1"``.
    code : int
        The 32-bit status (negative).

    Examples
    --------
    >>> import cclp_score as cs
    >>> try:
    ...     cs.OneSided(0.0, 1.0, 2.0, y0=0.2, y1=0.5)
    ... except cs.ScoreError as error:
    ...     print(error.status, error.code < 0)
    CCLP_STATUS_Y0_BELOW_Y1 True
    """


class EdgeError(_StatusError):
    """A file, an image or a caliper the edge finder refused; a ``ValueError``.

    The message names the file or the operation and the status.

    Attributes
    ----------
    status : str
        The edge finder's status name, e.g. ``"CEDGE_STATUS_OUTSIDE_IMAGE"``.
    code : int
        The 32-bit status (negative).

    Examples
    --------
    >>> import numpy as np
    >>> import cclp_score as cs
    >>> image = np.zeros((8, 8), dtype=np.uint8)
    >>> try:
    ...     cs.find_edges(image, caliper=(4.0, 4.0, 0.0, 40.0, 2.0))
    ... except cs.EdgeError as error:
    ...     print(error.status)
    CEDGE_STATUS_OUTSIDE_IMAGE
    """


class GeometryError(_StatusError):
    """The line or circle tool refused its geometry, calipers or fit
    settings, or could not fit (too few points, points on a line); a
    ``ValueError``.

    Attributes
    ----------
    status : str
        The tool's status name, e.g. ``"CGEOM_STATUS_TOO_FEW_POINTS"``.
    code : int
        The 32-bit status (negative).

    Examples
    --------
    >>> import numpy as np
    >>> import cclp_score as cs
    >>> try:
    ...     cs.find_circle(np.zeros((40, 40), np.uint8), (20, 20), 0.5)
    ... except cs.GeometryError as error:
    ...     print(error.status)
    CGEOM_STATUS_RADIUS_NOT_VALID
    """
