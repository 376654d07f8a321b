"""The exceptions the libraries' failures raise."""


class _StatusError(ValueError):
    def __init__(self, message, status="", code=0):
        super().__init__(message)
        self.status = status
        self.code = code


class ScoreError(_StatusError):
    """The library refused a value: ``status`` is its status name
    (``"CCLP_STATUS_Y0_BELOW_Y1"``), ``code`` the 32-bit status."""


class EdgeError(_StatusError):
    """The edge finder refused a file, an image or a caliper: ``status`` is
    its status name (``"CEDGE_STATUS_OUTSIDE_IMAGE"``), ``code`` the 32-bit
    status; the message names the file or the operation."""


class GeometryError(_StatusError):
    """The line or circle tool refused its geometry, calipers or fit
    settings, or could not fit (too few points, points on a line):
    ``status`` is its status name (``"CGEOM_STATUS_TOO_FEW_POINTS"``),
    ``code`` the 32-bit status.

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
